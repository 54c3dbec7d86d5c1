#include "render/text_effect_stage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRect>

#include "model/table.h"
#include "render/overlay_panel.h"
#include "render/text_effect_overlay.h"

namespace solvane {
namespace {

QImage duskGradient() {
  QImage canvas(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
  QPainter painter(&canvas);
  QLinearGradient sky(0, 0, 0, kCanvasHeight);
  sky.setColorAt(0.0, QColor(38, 52, 96));
  sky.setColorAt(0.65, QColor(176, 104, 88));
  sky.setColorAt(1.0, QColor(58, 44, 40));
  painter.fillRect(canvas.rect(), sky);
  return canvas;
}

}  // namespace

void TextEffectStage::load(const Table& effects) {
  labels_.clear();
  labels_.resize(static_cast<size_t>(effects.count()));
  for (int i = 0; i < effects.count(); ++i) {
    OverlayLabel& label = labels_[static_cast<size_t>(i)];
    StyleTextEffectLabel(label, effects, i);
    label.setVisible(false);
  }
}

std::vector<QSize> TextEffectStage::labelSizes() const {
  std::vector<QSize> sizes;
  sizes.reserve(labels_.size());
  for (const OverlayLabel& label : labels_) sizes.push_back(label.size());
  return sizes;
}

void TextEffectStage::place(const std::vector<MovingLabel>& moving) {
  for (size_t i = 0; i < labels_.size(); ++i) {
    const bool known = i < moving.size();
    labels_[i].setVisible(known && moving[i].visible);
    if (known) labels_[i].move(QPoint(moving[i].left, moving[i].top));
  }
}

void TextEffectStage::setBackground(const QImage& photo) {
  if (photo.isNull()) {
    background_ = duskGradient();
    return;
  }
  const QImage filled = photo.scaled(kCanvasWidth, kCanvasHeight, Qt::KeepAspectRatioByExpanding,
                                     Qt::SmoothTransformation);
  background_ = filled
                    .copy((filled.width() - kCanvasWidth) / 2, (filled.height() - kCanvasHeight) / 2,
                          kCanvasWidth, kCanvasHeight)
                    .convertToFormat(QImage::Format_RGB32);
}

void TextEffectStage::paint(QPainter& painter, const QRect& target) const {
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.translate(target.topLeft());
  painter.scale(double(target.width()) / kCanvasWidth, double(target.height()) / kCanvasHeight);
  if (background_.isNull())
    painter.fillRect(QRect(0, 0, kCanvasWidth, kCanvasHeight), Qt::black);
  else
    painter.drawImage(0, 0, background_);
  painter.setClipRect(QRect(0, 0, kCanvasWidth, kCanvasHeight));
  for (const OverlayLabel& label : labels_) label.paint(painter);
  painter.restore();
}

QImage TextEffectStage::frame() const {
  QImage canvas(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  paint(painter, canvas.rect());
  return canvas;
}

}  // namespace solvane
