#pragma once
// The outline of a reveal at one moment, in canvas coordinates.
#include <QLinearGradient>
#include <QPainterPath>

#include "templates/movie_model.h"

namespace solvane {

// The region a mask shows at `progress` (0 ... 1). A linear mask with a soft edge gives
// its hard outline here; softLinearGradient gives the alpha ramp that replaces it.
QPainterPath maskRegion(const Mask& mask, double progress);

// For a soft linear mask: a gradient, in canvas coordinates, whose alpha is the reveal.
QLinearGradient softLinearGradient(const Mask& mask, double progress);

inline bool maskIsSoft(const Mask& mask) {
  return mask.kind == MaskKind::Linear && mask.softness > 0;
}

}  // namespace solvane
