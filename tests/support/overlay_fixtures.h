#pragma once
// Picture helpers of the overlay tests.
#include <QImage>
#include <QRect>
#include <QRgb>

namespace solvane::test {

// A picture of one grey level, in the frame format of the album.
QImage grey(int width, int height, int level);
// Pixels inside `area` within `tolerance` (per channel) of `colour`.
int countColour(const QImage& image, const QRect& area, QRgb colour, int tolerance);

}  // namespace solvane::test
