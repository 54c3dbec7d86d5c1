#pragma once
// Photo thumbnails: the photograph scaled into the thumbnail box, on a white border.
#include <QImage>
#include <QSize>
#include <QString>

namespace solvane {

struct Project;

inline constexpr int kThumbnailBorder = 4;

// The box thumbnails are drawn in: the thumbnail cell size less 30 (150 × 150).
QSize thumbnailBox(const Project& project);
// The picture with a white border of kThumbnailBorder pixels on every side.
QImage borderedThumbnail(const QImage& picture);

}  // namespace solvane
