#include "render/overlay_label.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include "render/overlay_panel.h"

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

std::pair<int, int> OverlayLabel::columnsOnCanvas() const {
  return {std::max(0, -pos_.x()), std::min(boxWidth_, kCanvasWidth - pos_.x())};
}

bool OverlayLabel::coversCanvas() const {
  const auto [first, last] = columnsOnCanvas();
  return first >= last || (first >= drawnColumns_.first && last <= drawnColumns_.second);
}

const QImage& OverlayLabel::picture() const {
  if (dirty_ || !coversCanvas()) render();
  return cache_;
}

QPoint OverlayLabel::inkOffset() const {
  picture();
  return inkOffset_;
}

void OverlayLabel::render() const {
  dirty_ = false;
  const QSize size = textSize();
  boxWidth_ = size.width();
  drawnColumns_ = {0, 0};
  inkOffset_ = QPoint();
  if (size.isEmpty()) {
    cache_ = QImage();
    return;
  }
  // The canvas columns and a canvas width either side; a box that fits is drawn whole.
  const auto [first, last] = columnsOnCanvas();
  const int left = std::clamp(first - kCanvasWidth, 0, size.width());
  const int right = std::clamp(std::max(first, last) + kCanvasWidth, left, size.width());
  drawnColumns_ = {left, right};
  if (left == right) {
    cache_ = QImage();
    return;
  }
  cache_ = QImage(right - left, size.height(), QImage::Format_ARGB32_Premultiplied);
  cache_.fill(Qt::transparent);

  const QFontMetrics metrics(font_);
  const int pad = outlineWidth();
  QString text = text_;
  qreal x = pad - left;
  if (left > 0 || right < size.width()) {
    // Only the characters near the drawn columns are laid out into glyphs; a margin of a
    // few em keeps the shaping at the cut out of sight.
    QTextLayout layout(text_, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(size.width() + 1);
    layout.endLayout();
    const int margin = 4 * metrics.height();
    const int from = line.xToCursor(left - pad - margin);
    const int to = line.xToCursor(right - pad + margin);
    text = text_.mid(from, to - from);
    x += line.cursorToX(from);
  }
  const QPointF baseline(x, pad + metrics.ascent());
  QPainterPath glyphs;
  glyphs.addText(baseline, font_, text);

  QPainter p(&cache_);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // The outline is stroked under the glyphs so light text stays readable on light photos.
  p.strokePath(glyphs, QPen(QColor(0, 0, 0, 200), 2.0 * pad, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
  p.setFont(font_);
  p.setPen(color_);
  p.drawText(baseline, text);
  p.end();
  cropToInk();
  inkOffset_.rx() += left;
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
