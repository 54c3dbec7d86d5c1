#include "render/overlay_label.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "lyrics/text_fonts.h"

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

int OverlayLabel::outlineWidth() const { return textOutlineWidth(font_); }

QSize OverlayLabel::textSize() const { return outlinedTextBox(font_, text_); }

void OverlayLabel::fitToText() { size_ = textSize(); }

const QImage& OverlayLabel::picture() const {
  if (dirty_) render();
  return cache_;
}

QPoint OverlayLabel::inkOffset() const {
  picture();
  return inkOffset_;
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
  p.end();
  cropToInk();
}

// Frames only blend what covers them: trailing blanks and the empty margins of the box are
// cut away once here instead of being blended as transparent pixels on every frame.
void OverlayLabel::cropToInk() const {
  int left = cache_.width(), right = -1, top = cache_.height(), bottom = -1;
  for (int y = 0; y < cache_.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(cache_.constScanLine(y));
    for (int x = 0; x < cache_.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) {
    cache_ = QImage();
    inkOffset_ = QPoint();
    return;
  }
  const QRect ink(QPoint(left, top), QPoint(right, bottom));
  cache_ = cache_.copy(ink);
  inkOffset_ = ink.topLeft();
}

bool OverlayLabel::drawsAnything() const {
  return visible_ && !text_.isEmpty() && !size_.isEmpty();
}

void OverlayLabel::paint(QPainter& painter) const {
  if (!drawsAnything()) return;
  const QImage& image = picture();
  if (image.isNull()) return;
  // The box cuts the picture: a fill label's width uncovers its text from the left.
  const int w = std::min(size_.width() - inkOffset_.x(), image.width());
  const int h = std::min(size_.height() - inkOffset_.y(), image.height());
  if (w <= 0 || h <= 0) return;
  painter.drawImage(pos_ + inkOffset_, image, QRect(0, 0, w, h));
}

}  // namespace solvane
