#pragma once
// The EXIF orientation tag of a photograph: how the stored pixels must be turned to stand
// upright. Phones store portraits as landscape pixels plus this tag.
#include <cstddef>

#include <QImage>
#include <QSize>

namespace solvane {

// Reads the orientation (1–8) from the payload of an APP1 segment that starts with
// "Exif\0\0". Returns 1 (upright as stored) when the segment is not EXIF, carries no
// orientation, holds a value outside 1–8 or is damaged.
int exifOrientation(const unsigned char* payload, std::size_t size);

// Orientations 5–8 turn the picture by a quarter, exchanging width and height.
bool swapsSides(int orientation);
QSize uprightSize(QSize stored, int orientation);
// Turns and mirrors a picture in stored orientation so that it stands upright.
QImage turnUpright(const QImage& stored, int orientation);

}  // namespace solvane
