#pragma once
// The photo rendering service: a photograph as a picture of a requested size, turned
// upright by its EXIF orientation. Thumbnails, crops and previews all draw through it.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "photos/jpeg_decoder.h"

namespace solvane {

class PictureMemory;

// The largest size of `picture`'s proportions inside `box`: the side that limits gets the
// box's length, the other side is scaled with a truncating division (at least 1).
QSize fitInto(QSize picture, QSize box);

// Resamples to exactly `size` with an area-averaging filter (linear when enlarging).
QImage resampleExactly(const QImage& picture, QSize size);

// Reads a photograph file whole, into `memory`'s file block when given (the bytes are then
// valid until the block is used again). Throws Error naming the file when it cannot be read.
QByteArray readPhotoFile(const QString& path, PictureMemory* memory = nullptr);

// Checks that the file is a usable JPEG photograph, reading only its header and its end
// when it ends properly; a file cut short is decoded to see how much of it is present.
// Returns the header; throws Error with the reason otherwise.
JpegHeader checkPhotoFile(const QString& path);

// One decoded photograph that can be drawn upright at any size: decode it once at the size
// that covers every picture needed from it, then draw each of them.
// With `memory`, every picture is made in its blocks: a drawn picture then stays valid only
// until the next draw.
class DecodedPhoto {
 public:
  DecodedPhoto(const QByteArray& bytes, QSize uprightCover, const QString& name,
               PictureMemory* memory = nullptr);
  // Upright, exactly `size`. A non-empty `used` says only its top-left part of the picture
  // will be read, so the rest need not be computed.
  QImage draw(QSize size, QSize used = {}) const;
  const DecodedJpeg& jpeg() const { return jpeg_; }
  PictureMemory* memory() const { return memory_; }

 private:
  DecodedJpeg jpeg_;
  PictureMemory* memory_;
};

// The photograph at `path`, upright, fitting inside `box` with its proportions.
QImage renderPhotoFitting(const QString& path, QSize box);
// The photograph at `path`, upright, stretched to exactly `size`.
QImage renderPhotoExact(const QString& path, QSize size);
// The upright pixel size of the photograph at `path`, from its header alone.
QSize photoUprightSize(const QString& path);

}  // namespace solvane
