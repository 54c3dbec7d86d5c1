#include "support/overlay_fixtures.h"

#include <cstdlib>

namespace solvane::test {

QImage grey(int width, int height, int level) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qRgb(level, level, level));
  return image;
}

int countColour(const QImage& image, const QRect& area, QRgb colour, int tolerance) {
  const QRect r = area.intersected(image.rect());
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (std::abs(qRed(p) - qRed(colour)) <= tolerance &&
          std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
          std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
        ++n;
    }
  return n;
}

}  // namespace solvane::test
