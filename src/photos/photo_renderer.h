#pragma once
// The photo rendering service: a photograph as a picture of a requested size, turned
// upright by its EXIF orientation. Thumbnails, crops and previews all draw through it.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "photos/jpeg_decoder.h"

namespace solvane {

// The largest size of `picture`'s proportions inside `box`: the side that limits gets the
// box's length, the other side is scaled with a truncating division (at least 1).
QSize fitInto(QSize picture, QSize box);

// Resamples to exactly `size` with an area-averaging filter (bilinear when enlarging).
QImage resampleExactly(const QImage& picture, QSize size);

// Reads a photograph file whole. Throws Error naming the file when it cannot be read.
QByteArray readPhotoFile(const QString& path);

// One decoded photograph that can be drawn upright at any size: decode it once at the size
// that covers every picture needed from it, then draw each of them.
class DecodedPhoto {
 public:
  DecodedPhoto(const QByteArray& bytes, QSize uprightCover, const QString& name);
  // Upright, exactly `size`.
  QImage draw(QSize size) const;
  const DecodedJpeg& jpeg() const { return jpeg_; }

 private:
  DecodedJpeg jpeg_;
};

// The photograph at `path`, upright, fitting inside `box` with its proportions.
QImage renderPhotoFitting(const QString& path, QSize box);
// The photograph at `path`, upright, stretched to exactly `size`.
QImage renderPhotoExact(const QString& path, QSize size);
// The upright pixel size of the photograph at `path`, from its header alone.
QSize photoUprightSize(const QString& path);

}  // namespace solvane
