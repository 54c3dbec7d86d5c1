#include "photos/jpeg_encoder.h"

#include <memory>

#include <turbojpeg.h>

#include "model/error.h"

namespace solvane {
namespace {

struct TurboJpegDeleter {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegPtr = std::unique_ptr<void, TurboJpegDeleter>;

struct TurboBufferDeleter {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TurboBufferPtr = std::unique_ptr<unsigned char, TurboBufferDeleter>;

}  // namespace

QByteArray encodeJpeg(const QImage& picture, int quality) {
  const QImage rgb = picture.format() == QImage::Format_RGB32
                         ? picture
                         : picture.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) throw Error(QStringLiteral("cannot encode an empty picture as JPEG"));
  TurboJpegPtr handle(tjInitCompress());
  if (!handle) throw Error(QStringLiteral("the JPEG encoder could not start"));
  unsigned char* raw = nullptr;
  unsigned long size = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  constexpr int kFormat = TJPF_BGRX;
#else
  constexpr int kFormat = TJPF_XRGB;
#endif
  const int rc = tjCompress2(handle.get(), rgb.constBits(), rgb.width(),
                             static_cast<int>(rgb.bytesPerLine()), rgb.height(), kFormat, &raw,
                             &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
  TurboBufferPtr buffer(raw);
  if (rc != 0)
    throw Error(QStringLiteral("JPEG encoding failed (%1)")
                    .arg(QString::fromLocal8Bit(tjGetErrorStr2(handle.get()))));
  return QByteArray(reinterpret_cast<const char*>(buffer.get()), static_cast<qsizetype>(size));
}

}  // namespace solvane
