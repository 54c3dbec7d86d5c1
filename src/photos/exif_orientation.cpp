#include "photos/exif_orientation.h"

#include <cstring>

#include <QTransform>

namespace solvane {
namespace {

constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kTypeShort = 3;

struct TiffReader {
  const unsigned char* tiff;
  std::size_t size;
  bool bigEndian;

  bool has(std::size_t offset, std::size_t length) const {
    return offset <= size && length <= size - offset;
  }
  unsigned u16(std::size_t at) const {
    return bigEndian ? (tiff[at] << 8) | tiff[at + 1] : tiff[at] | (tiff[at + 1] << 8);
  }
  std::size_t u32(std::size_t at) const {
    return bigEndian ? (std::size_t(tiff[at]) << 24) | (tiff[at + 1] << 16) |
                           (tiff[at + 2] << 8) | tiff[at + 3]
                     : tiff[at] | (tiff[at + 1] << 8) | (tiff[at + 2] << 16) |
                           (std::size_t(tiff[at + 3]) << 24);
  }
};

}  // namespace

int exifOrientation(const unsigned char* payload, std::size_t size) {
  constexpr std::size_t kExifHeader = 6;  // "Exif\0\0"
  if (size < kExifHeader + 8 || std::memcmp(payload, "Exif\0\0", kExifHeader) != 0) return 1;
  TiffReader r{payload + kExifHeader, size - kExifHeader, false};
  if (r.tiff[0] == 'M' && r.tiff[1] == 'M')
    r.bigEndian = true;
  else if (!(r.tiff[0] == 'I' && r.tiff[1] == 'I'))
    return 1;
  if (r.u16(2) != 42) return 1;
  const std::size_t ifd = r.u32(4);
  if (!r.has(ifd, 2)) return 1;
  const unsigned entries = r.u16(ifd);
  for (unsigned i = 0; i < entries; ++i) {
    const std::size_t entry = ifd + 2 + std::size_t(i) * 12;
    if (!r.has(entry, 12)) return 1;
    if (r.u16(entry) != kOrientationTag) continue;
    if (r.u16(entry + 2) != kTypeShort) return 1;
    const unsigned value = r.u16(entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

bool swapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

QSize uprightSize(QSize stored, int orientation) {
  return swapsSides(orientation) ? stored.transposed() : stored;
}

QImage turnUpright(const QImage& stored, int orientation) {
  switch (orientation) {
    case 2: return stored.mirrored(true, false);
    case 3: return stored.mirrored(true, true);
    case 4: return stored.mirrored(false, true);
    case 5: return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return stored.transformed(QTransform().rotate(90));
    case 7: return stored.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8: return stored.transformed(QTransform().rotate(270));
    default: return stored;
  }
}

}  // namespace solvane
