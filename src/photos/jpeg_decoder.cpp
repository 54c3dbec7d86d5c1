#include "photos/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "model/error.h"
#include "photos/exif_orientation.h"

namespace solvane {
namespace {

constexpr int kApp1 = JPEG_APP0 + 1;

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// the guarded call that started the work; everything between the two points is libjpeg's C
// code and plain data, so no destructor is skipped.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onFatal(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings are judged by how much of the picture decodes

// The whole file is in memory; running out of it means the file is truncated. The source
// notes how far the decoder had got and ends the data with an end-of-image marker, so the
// part that is present still decodes.
struct MemorySource {
  jpeg_source_mgr pub;
  const JOCTET* data;
  std::size_t size;
  bool ranOut;
  int scanAtEnd;
  JDIMENSION rowAtEnd;
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo) {
  static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
  if (!src->ranOut) {
    src->ranOut = true;
    src->scanAtEnd = cinfo->input_scan_number;
    src->rowAtEnd = cinfo->input_iMCU_row;
  }
  src->pub.next_input_byte = kEndOfImage;
  src->pub.bytes_in_buffer = 2;
  return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
  while (count > 0) {
    if (static_cast<std::size_t>(count) <= src->pub.bytes_in_buffer) {
      src->pub.next_input_byte += count;
      src->pub.bytes_in_buffer -= static_cast<std::size_t>(count);
      return;
    }
    count -= static_cast<long>(src->pub.bytes_in_buffer);
    fillInput(cinfo);
    if (src->ranOut) return;
  }
}

// Owns one decompressor with its error manager and source; always destroyed.
class JpegDecompressor {
 public:
  explicit JpegDecompressor(const QByteArray& bytes) {
    cinfo_.err = jpeg_std_error(&err_.pub);
    err_.pub.error_exit = onFatal;
    err_.pub.output_message = onMessage;
    err_.message[0] = '\0';
    jpeg_create_decompress(&cinfo_);
    src_ = MemorySource{};
    src_.data = reinterpret_cast<const JOCTET*>(bytes.constData());
    src_.size = static_cast<std::size_t>(bytes.size());
    src_.pub.init_source = initSource;
    src_.pub.fill_input_buffer = fillInput;
    src_.pub.skip_input_data = skipInput;
    src_.pub.resync_to_restart = jpeg_resync_to_restart;
    src_.pub.term_source = termSource;
    src_.pub.next_input_byte = src_.data;
    src_.pub.bytes_in_buffer = src_.size;
    cinfo_.src = &src_.pub;
  }
  ~JpegDecompressor() { jpeg_destroy_decompress(&cinfo_); }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  jpeg_decompress_struct* operator->() { return &cinfo_; }
  jpeg_decompress_struct* get() { return &cinfo_; }
  ErrorManager& errors() { return err_; }
  const MemorySource& source() const { return src_; }

 private:
  jpeg_decompress_struct cinfo_{};
  ErrorManager err_{};
  MemorySource src_{};
};

// Runs libjpeg calls; false when libjpeg gave up (the message is in errors().message).
template <typename Body>
bool guarded(JpegDecompressor& d, Body&& body) {
  if (setjmp(d.errors().jump)) return false;
  body();
  return true;
}

QString hexStart(const QByteArray& bytes) {
  QStringList parts;
  for (int i = 0; i < std::min<qsizetype>(4, bytes.size()); ++i)
    parts << QStringLiteral("%1").arg(static_cast<unsigned char>(bytes[i]), 2, 16,
                                      QLatin1Char('0')).toUpper();
  return parts.join(QLatin1Char(' '));
}

void checkLooksLikeJpeg(const QByteArray& bytes, const QString& name) {
  if (bytes.isEmpty()) throw Error(QStringLiteral("%1: the file is empty").arg(name));
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xD8)
    throw Error(QStringLiteral("%1: not a JPEG file (starts with %2)").arg(name, hexStart(bytes)));
}

[[noreturn]] void throwDamaged(JpegDecompressor& d, const QString& name) {
  if (d.source().ranOut)
    throw Error(QStringLiteral("%1: the file is cut short before its picture data").arg(name));
  throw Error(QStringLiteral("%1: damaged JPEG data (%2)")
                  .arg(name, QString::fromLocal8Bit(d.errors().message)));
}

// Reads the header into `d` (with the EXIF segment kept) and checks the size limit.
JpegHeader readHeaderInto(JpegDecompressor& d, const QByteArray& bytes, const QString& name) {
  checkLooksLikeJpeg(bytes, name);
  const bool ok = guarded(d, [&] {
    jpeg_save_markers(d.get(), kApp1, 0xFFFF);
    jpeg_read_header(d.get(), TRUE);
  });
  if (!ok) throwDamaged(d, name);

  JpegHeader header;
  header.stored = QSize(static_cast<int>(d->image_width), static_cast<int>(d->image_height));
  if (qint64(header.stored.width()) * header.stored.height() > kMaxPhotoPixels)
    throw Error(QStringLiteral("%1: the picture is %2 × %3 pixels, more than %4 megapixels")
                    .arg(name).arg(header.stored.width()).arg(header.stored.height())
                    .arg(kMaxPhotoPixels / 1'000'000));
  for (jpeg_saved_marker_ptr m = d->marker_list; m; m = m->next) {
    if (m->marker != kApp1) continue;
    const int o = exifOrientation(m->data, m->data_length);
    if (o != 1 || std::memcmp(m->data, "Exif", 4) == 0) {
      header.orientation = o;
      break;
    }
  }
  return header;
}

// The smallest n/8 scale at which the stored picture covers `storedTarget`.
int scaleEighths(QSize stored, QSize storedTarget) {
  for (int n = 1; n < 8; ++n) {
    const qint64 w = (qint64(stored.width()) * n + 7) / 8;
    const qint64 h = (qint64(stored.height()) * n + 7) / 8;
    if (w >= storedTarget.width() && h >= storedTarget.height()) return n;
  }
  return 8;
}

// Converts one row of CMYK samples to RGB32. Adobe writes the inks inverted.
void cmykRowToRgb(const JSAMPLE* cmyk, QRgb* out, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
    }
    out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
  }
}

double presentShare(const JpegDecompressor& d, jpeg_decompress_struct* cinfo) {
  const MemorySource& src = d.source();
  if (!src.ranOut) return 1.0;
  // A later scan had begun: the first scan, which covers the whole picture, is complete.
  if (src.scanAtEnd > 1) return 1.0;
  if (cinfo->total_iMCU_rows == 0) return 0.0;
  return double(src.rowAtEnd) / double(cinfo->total_iMCU_rows);
}

QString percent(double share) { return QString::number(int(share * 100)) + QLatin1Char('%'); }

}  // namespace

QSize JpegHeader::upright() const { return uprightSize(stored, orientation); }

JpegHeader readJpegHeader(const QByteArray& bytes, const QString& name) {
  JpegDecompressor d(bytes);
  return readHeaderInto(d, bytes, name);
}

DecodedJpeg decodeJpeg(const QByteArray& bytes, QSize uprightTarget, const QString& name) {
  JpegDecompressor d(bytes);
  const JpegHeader header = readHeaderInto(d, bytes, name);
  const QSize storedTarget = swapsSides(header.orientation) ? uprightTarget.transposed()
                                                            : uprightTarget;
  const bool cmyk = d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK;
  d->scale_num = static_cast<unsigned>(
      storedTarget.isEmpty() ? 8 : scaleEighths(header.stored, storedTarget));
  d->scale_denom = 8;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  d->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;  // RGB32 is B, G, R, A in memory
#else
  d->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_ARGB;
#endif
  d->dct_method = JDCT_ISLOW;
  if (!guarded(d, [&] { jpeg_calc_output_dimensions(d.get()); })) throwDamaged(d, name);

  DecodedJpeg out;
  out.orientation = header.orientation;
  out.picture = QImage(static_cast<int>(d->output_width), static_cast<int>(d->output_height),
                       QImage::Format_RGB32);
  if (out.picture.isNull())
    throw Error(QStringLiteral("%1: not enough memory to decode the picture").arg(name));
  std::vector<JSAMPLE> cmykRow(cmyk ? std::size_t(d->output_width) * 4 : 0);
  const bool inverted = d->saw_Adobe_marker;

  const bool ok = guarded(d, [&] {
    jpeg_start_decompress(d.get());
    while (d->output_scanline < d->output_height) {
      const int y = static_cast<int>(d->output_scanline);
      if (cmyk) {
        JSAMPROW row = cmykRow.data();
        jpeg_read_scanlines(d.get(), &row, 1);
        cmykRowToRgb(row, reinterpret_cast<QRgb*>(out.picture.scanLine(y)), d->output_width,
                     inverted);
      } else {
        JSAMPROW row = out.picture.scanLine(y);
        jpeg_read_scanlines(d.get(), &row, 1);
      }
    }
    jpeg_finish_decompress(d.get());
  });
  if (!ok) throwDamaged(d, name);

  out.share = presentShare(d, d.get());
  if (out.share < kMinUsableShare)
    throw Error(QStringLiteral("%1: the file is cut short; only %2 of the picture is present")
                    .arg(name, percent(out.share)));
  return out;
}

bool endsWithEndOfImage(const QByteArray& bytes) {
  qsizetype end = bytes.size();
  while (end > 0 && (bytes[end - 1] == '\0' || bytes[end - 1] == '\n' || bytes[end - 1] == '\r'))
    --end;
  return end >= 2 && static_cast<unsigned char>(bytes[end - 2]) == 0xFF &&
         static_cast<unsigned char>(bytes[end - 1]) == JPEG_EOI;
}

}  // namespace solvane
