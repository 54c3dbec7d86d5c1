#pragma once
// The text-effect window's picture drawn the way the album draws its frames: the window's
// picture area stands for the 1920 × 1080 canvas, the captions are the album's own overlay
// labels (same font size on the canvas, same styles, same outline) at the positions of the
// preview's motion step, over a sample photograph, and the whole canvas is painted scaled
// into whatever size the window gives it.
#include <vector>

#include <QImage>
#include <QSize>

#include "effects/text_motion.h"
#include "render/overlay_label.h"

class QPainter;
class QRect;

namespace solvane {

class Table;

class TextEffectStage {
 public:
  // One label per row of `effects`, dressed as the album dresses it.
  void load(const Table& effects);
  void clear() { labels_.clear(); }
  int labelCount() const { return static_cast<int>(labels_.size()); }
  const OverlayLabel& label(int i) const { return labels_.at(static_cast<size_t>(i)); }
  // Each label's box on the canvas, for the preview's motion step.
  std::vector<QSize> labelSizes() const;

  // Places the labels where the preview's motion step has put them (one per label).
  void place(const std::vector<MovingLabel>& moving);

  // The sample photograph the captions are drawn over, filling the canvas (cropped to its
  // proportions); a null picture gives a plain dusk gradient.
  void setBackground(const QImage& photo);
  const QImage& background() const { return background_; }

  // Paints the canvas into `target`: the photograph, then the visible labels in row order,
  // both scaled by target / canvas.
  void paint(QPainter& painter, const QRect& target) const;
  // The canvas at full size (gallery pictures, tests).
  QImage frame() const;

 private:
  std::vector<OverlayLabel> labels_;
  QImage background_;
};

}  // namespace solvane
