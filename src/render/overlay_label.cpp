#include "render/overlay_label.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace solvane {

void OverlayLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  dirty_ = true;
}

void OverlayLabel::setFont(const QFont& font) {
  if (font == font_) return;
  font_ = font;
  dirty_ = true;
}

void OverlayLabel::setColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  dirty_ = true;
}

int OverlayLabel::outlineWidth() const {
  return std::max(2, font_.pixelSize() / 20);
}

QSize OverlayLabel::textSize() const {
  if (text_.isEmpty()) return QSize(0, 0);
  const QFontMetrics metrics(font_);
  const int pad = outlineWidth();
  return QSize(metrics.horizontalAdvance(text_) + 2 * pad, metrics.height() + 2 * pad);
}

void OverlayLabel::fitToText() { size_ = textSize(); }

const QImage& OverlayLabel::picture() const {
  if (dirty_) render();
  return cache_;
}

void OverlayLabel::render() const {
  dirty_ = false;
  const QSize size = textSize();
  if (size.isEmpty()) {
    cache_ = QImage();
    return;
  }
  cache_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
  cache_.fill(Qt::transparent);

  const QFontMetrics metrics(font_);
  const int pad = outlineWidth();
  const QPointF baseline(pad, pad + metrics.ascent());
  QPainterPath glyphs;
  glyphs.addText(baseline, font_, text_);

  QPainter p(&cache_);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // The outline is stroked under the glyphs so light text stays readable on light photos.
  p.strokePath(glyphs, QPen(QColor(0, 0, 0, 200), 2.0 * pad, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
  p.setFont(font_);
  p.setPen(color_);
  p.drawText(baseline, text_);
}

void OverlayLabel::paint(QPainter& painter) const {
  if (!visible_ || text_.isEmpty() || size_.isEmpty()) return;
  const QImage& image = picture();
  if (image.isNull()) return;
  const int w = std::min(size_.width(), image.width());
  const int h = std::min(size_.height(), image.height());
  if (w <= 0 || h <= 0) return;
  painter.drawImage(pos_, image, QRect(0, 0, w, h));
}

}  // namespace solvane
