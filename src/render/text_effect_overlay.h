#pragma once
// The user's moving texts on the album frames: one label per row of the text-effect table,
// started by the album clock and moved one step per frame, exactly as the text-effect
// preview moves them, on the 1920 × 1080 canvas.
#include <vector>

#include <QString>

#include "effects/text_motion.h"

namespace solvane {

class OverlayLabel;
class OverlayPanel;
class Table;

// A text effect's label size on the canvas: font_size × 1920 div 513 (the sizes were chosen
// on the 513-pixel sample area).
int TextEffectPointsOnCanvas(int fontSize);

// Dresses `label` as text-effect row `row` draws on the canvas: its text in the row's font
// at canvas size, its colour, and bold, italic and underline as the row's style cells say
// ("cuti", "xieti", "xiahuaxian"), sized to the text. The album and the text-effect
// window's preview both draw their captions through this.
void StyleTextEffectLabel(OverlayLabel& label, const Table& effects, int row);

class TextEffectOverlay {
 public:
  TextEffectOverlay(Table& effects, OverlayPanel& panel);

  // One label per row, styled by StyleTextEffectLabel, at (0, 0), hidden, on top. Every
  // row starts idle, so rows left moving
  // by an earlier album of this run start again at their time.
  void createLabels();
  // The motion step of every row against the album clock, 3 pixels per frame by default.
  void step(const QString& albumClock, int stepPixels);
  void release();

 private:
  Table& effects_;
  OverlayPanel& panel_;
  std::vector<MovingLabel> moving_;
};

}  // namespace solvane
