#pragma once
// Where a photograph lands in its template slot: the size it is scaled to and the canvas
// it is drawn on (top-left anchored, black where the picture does not reach, cut off where
// it overflows).
#include <QSize>

#include "model/album_choices.h"

namespace solvane {

// The frame every movie is played on.
inline constexpr int kCanvasWidth = 1920;
inline constexpr int kCanvasHeight = 1080;

struct CropGeometry {
  QSize scaled;  // the photograph, stretched to this size
  QSize canvas;  // the picture that is written
};

// Geometry of the import crop. `photo` is the size as seen (width and height of the photo
// row), `slot` the slot size; a slot with a zero side has no fixed size and follows
// `settings`.
CropGeometry cropGeometry(QSize photo, QSize slot, const CropSettings& settings);

// Geometry of the replacement crop: like cropGeometry for a fixed slot; a slot without a
// fixed size fits the photograph into the frame whatever the settings say.
CropGeometry replacementGeometry(QSize photo, QSize slot);

// A slot has a fixed size only when both sides are non-zero.
bool hasFixedSize(QSize slot);

}  // namespace solvane
