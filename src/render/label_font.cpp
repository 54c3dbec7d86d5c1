#include "render/label_font.h"

namespace solvane {

QFont LabelFont(const LabelStyle& style) {
  QFont font(style.family);
  font.setPixelSize(std::max(1, (style.points * 96 + 36) / 72));
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  // Grayscale antialiasing: the picture is scaled and encoded later, where subpixel colour
  // fringes would show.
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QColor ColorFromCell(const QString& value) {
  bool ok = false;
  const qulonglong v = value.trimmed().toULongLong(&ok);
  if (!ok) return QColor(Qt::white);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

}  // namespace solvane
