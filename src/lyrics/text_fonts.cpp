#include "lyrics/text_fonts.h"

#include <algorithm>

#include <QFontMetrics>

namespace solvane {

int pointsToPixels(int points) { return (points * 96 + 36) / 72; }

QFont fontAtPoints(const QString& family, int points, bool bold, bool italic, bool underline) {
  QFont font = fontAtPixels(family, pointsToPixels(points));
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QFont fontAtPixels(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels > 0 ? pixels : 1);
  return font;
}

int textWidth(const QFont& font, const QString& text) {
  return QFontMetrics(font).horizontalAdvance(text);
}

int textOutlineWidth(const QFont& font) { return std::max(2, font.pixelSize() / 20); }

QSize outlinedTextBox(const QFont& font, const QString& text) {
  if (text.isEmpty()) return QSize(0, 0);
  const QFontMetrics metrics(font);
  const int pad = textOutlineWidth(font);
  return QSize(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + 2 * pad);
}

}  // namespace solvane
