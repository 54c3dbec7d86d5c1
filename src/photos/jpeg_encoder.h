#pragma once
// Pictures the system writes as JPEG: baseline, 24-bit colour.
#include <QByteArray>
#include <QImage>

namespace solvane {

inline constexpr int kStagedJpegQuality = 90;

// Encodes `picture` (any format; alpha is dropped). Throws Error when encoding fails.
QByteArray encodeJpeg(const QImage& picture, int quality = kStagedJpegQuality);

}  // namespace solvane
