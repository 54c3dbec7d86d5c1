#pragma once
// Reading photographs: the frame header and orientation without decoding, and decoding at
// the smallest DCT scale that still covers a requested size. Failures throw Error with the
// file name and a reason a user can act on.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace solvane {

// Larger photographs are refused before anything is allocated.
inline constexpr qint64 kMaxPhotoPixels = 100'000'000;
// A truncated photograph is still used when at least this share of it decodes.
inline constexpr double kMinUsableShare = 0.5;

struct JpegHeader {
  QSize stored;         // pixel size as stored in the frame header
  int orientation = 1;  // EXIF orientation, 1 when absent

  QSize upright() const;
};

struct DecodedJpeg {
  QImage picture;        // Format_RGB32, stored orientation, at the chosen DCT scale
  int orientation = 1;
  double share = 1.0;    // share of the picture present in the file (1 when complete)
};

// `name` is how errors name the file (usually its file name).
JpegHeader readJpegHeader(const QByteArray& bytes, const QString& name);

// Decodes so that the upright picture is at least `uprightTarget` in both directions when the
// photograph is that large (an empty target decodes at full size). Greyscale and CMYK come out
// as RGB. Throws Error when the data is not a usable JPEG, including a truncated one of which
// less than kMinUsableShare decodes.
DecodedJpeg decodeJpeg(const QByteArray& bytes, QSize uprightTarget, const QString& name);

// True when the data ends with the end-of-image marker (trailing padding allowed), which a
// complete file does; files that do not are checked by decoding them.
bool endsWithEndOfImage(const QByteArray& bytes);

}  // namespace solvane
