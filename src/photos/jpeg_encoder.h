#pragma once
// Pictures the system writes as JPEG: baseline, 24-bit colour.
#include <QByteArray>
#include <QImage>

namespace solvane {

inline constexpr int kStagedJpegQuality = 90;

class PictureMemory;

// Encodes `picture` (any format; alpha is dropped), working in `memory`'s encoded block when
// given. Throws Error when encoding fails.
QByteArray encodeJpeg(const QImage& picture, int quality = kStagedJpegQuality,
                      PictureMemory* memory = nullptr);

}  // namespace solvane
