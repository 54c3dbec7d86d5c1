#pragma once
// Picture resampling with an area-averaging filter: every output pixel is the average of
// the source area it covers (linear interpolation where a direction is enlarged).
#include <QImage>
#include <QSize>

namespace solvane {

// Resamples `src` into `dst`; both RGB32, `dst` already of the wanted size. A non-empty
// `needed` computes only that top-left part of `dst` (the rest is left as it was).
void resampleInto(const QImage& src, QImage& dst, QSize needed = {});

}  // namespace solvane
