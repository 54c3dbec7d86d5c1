#include "lyrics/colour_names.h"

#include <utility>
#include <vector>

namespace solvane {
namespace {

const std::vector<std::pair<QString, int>>& table() {
  static const std::vector<std::pair<QString, int>> entries = {
      {QStringLiteral("clBlack"), 0x000000},      {QStringLiteral("clMaroon"), 0x000080},
      {QStringLiteral("clGreen"), 0x008000},      {QStringLiteral("clOlive"), 0x008080},
      {QStringLiteral("clNavy"), 0x800000},       {QStringLiteral("clPurple"), 0x800080},
      {QStringLiteral("clTeal"), 0x808000},       {QStringLiteral("clGray"), 0x808080},
      {QStringLiteral("clSilver"), 0xC0C0C0},     {QStringLiteral("clRed"), 0x0000FF},
      {QStringLiteral("clLime"), 0x00FF00},       {QStringLiteral("clYellow"), 0x00FFFF},
      {QStringLiteral("clBlue"), 0xFF0000},       {QStringLiteral("clFuchsia"), 0xFF00FF},
      {QStringLiteral("clAqua"), 0xFFFF00},       {QStringLiteral("clWhite"), 0xFFFFFF},
      {QStringLiteral("clMoneyGreen"), 0xC0DCC0}, {QStringLiteral("clSkyBlue"), 0xF0CAA6},
      {QStringLiteral("clCream"), 0xF0FBFF},      {QStringLiteral("clMedGray"), 0xA4A0A0},
  };
  return entries;
}

}  // namespace

const QStringList& colourNames() {
  static const QStringList names = [] {
    QStringList list;
    for (const auto& entry : table()) list << entry.first;
    return list;
  }();
  return names;
}

std::optional<int> colourValue(const QString& name) {
  for (const auto& entry : table())
    if (entry.first == name) return entry.second;
  return std::nullopt;
}

std::optional<QString> colourNameOf(int value) {
  for (const auto& entry : table())
    if (entry.second == value) return entry.first;
  return std::nullopt;
}

QColor colourFromValueText(const QString& value) {
  bool ok = false;
  const int v = value.toInt(&ok);
  if (!ok) return QColor(Qt::white);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int colourValueOf(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

}  // namespace solvane
