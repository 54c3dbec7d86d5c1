#pragma once
// The user's moving texts on the album frames: one label per row of the text-effect table,
// started by the album clock and moved one step per frame, exactly as the text-effect
// preview moves them, on the 1920 × 1080 canvas.
#include <vector>

#include <QString>

#include "effects/text_motion.h"

namespace solvane {

class OverlayPanel;
class Table;

// A text effect's label size on the canvas: font_size × 1920 div 513 (the sizes were chosen
// on the 513-pixel sample area).
int TextEffectPointsOnCanvas(int fontSize);

class TextEffectOverlay {
 public:
  TextEffectOverlay(Table& effects, OverlayPanel& panel);

  // One label per row: its text in the row's font and colour, at (0, 0), hidden, on top.
  // Bold, italic and underline are not applied. Every row starts idle, so rows left moving
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
