// Hostile files, each read by the program's own reader in a child process (read_probe) whose
// address space is capped: every one ends in an Error naming the file (or, for a damaged
// EXIF block, in the photograph read as stored), with the peak memory far below the cap.
#include <functional>

#include <sys/resource.h>

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <zlib.h>

#include "model/text_codec.h"
#include "photos/jpeg_encoder.h"
#include "support/fixtures.h"

#if defined(__SANITIZE_ADDRESS__)
#define SOLVANE_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOLVANE_UNDER_ASAN 1
#endif
#endif

namespace solvane {
namespace {

// The probe is a headless Qt program; reading a small file peaks near 20 MB.
constexpr long kAddressSpaceCap = 1024l * 1024 * 1024;
constexpr long kPeakLimitKb = 100 * 1024;

struct ProbeResult {
  int exitCode = -1;
  QString output;
  long peakKb = 0;
};

ProbeResult runProbe(const QString& kind, const QString& path) {
  QProcess probe;
  probe.setProgram(QStringLiteral(SOLVANE_BIN_DIR "/read_probe"));
  probe.setArguments({kind, path});
#ifndef SOLVANE_UNDER_ASAN
  // AddressSanitizer reserves terabytes of shadow space up front; only the peak is looked
  // at there.
  probe.setChildProcessModifier([] {
    const rlimit cap{kAddressSpaceCap, kAddressSpaceCap};
    setrlimit(RLIMIT_AS, &cap);
  });
#endif
  probe.start();
  EXPECT_TRUE(probe.waitForFinished(60000)) << "the reader hangs on " << path.toStdString();
  ProbeResult r;
  r.exitCode = probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1;
  r.output = QString::fromUtf8(probe.readAllStandardOutput());
  const QRegularExpressionMatch peak =
      QRegularExpression(QStringLiteral("peak_kb (\\d+)")).match(r.output);
  r.peakKb = peak.hasMatch() ? peak.captured(1).toLong() : 0;
  return r;
}

// zlib at its best on `size` zero bytes: about a thousandth of the size.
QByteArray deflatedZeros(qint64 size) {
  z_stream zs{};
  deflateInit(&zs, Z_BEST_COMPRESSION);
  const QByteArray zeros(1 << 20, '\0');
  QByteArray out;
  char buffer[1 << 16];
  for (qint64 left = size; left >= 0;) {
    const qint64 chunk = std::min<qint64>(left, zeros.size());
    left -= chunk;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
    zs.avail_in = static_cast<uInt>(chunk);
    const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
    do {
      zs.next_out = reinterpret_cast<Bytef*>(buffer);
      zs.avail_out = sizeof buffer;
      deflate(&zs, flush);
      out.append(buffer, static_cast<qsizetype>(sizeof buffer - zs.avail_out));
    } while (zs.avail_out == 0);
    if (flush == Z_FINISH) break;
  }
  deflateEnd(&zs);
  return out;
}

QByteArray layerClaiming(quint32 stated, const QByteArray& stream) {
  QByteArray layer(4, '\0');
  for (int i = 0; i < 4; ++i) layer[i] = static_cast<char>((stated >> (8 * i)) & 0xff);
  return layer + stream;
}

QByteArray movieAround(const QByteArray& layers) {
  return R"({"format": "solvane-movie", "version": 1, "frames": 10, "layers": )" + layers + "}";
}

QByteArray smallJpeg() {
  QImage picture(16, 8, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  return encodeJpeg(picture);
}

// A JPEG whose frame header states `width` × `height`.
QByteArray jpegClaiming(int width, int height) {
  QByteArray jpeg = smallJpeg();
  const qsizetype sof = jpeg.indexOf("\xff\xc0");
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xff);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xff);
  return jpeg;
}

// An EXIF block (little-endian TIFF) with one entry of `tag` (0x0112 is the orientation),
// its directory at `ifd` and claiming `entries` entries.
QByteArray jpegWithExif(int orientation, quint32 ifd, quint16 entries = 1, quint8 tag = 0x12) {
  QByteArray tiff = QByteArray("II\x2a\x00", 4);
  for (int i = 0; i < 4; ++i) tiff += static_cast<char>((ifd >> (8 * i)) & 0xff);
  tiff += static_cast<char>(entries & 0xff);
  tiff += static_cast<char>(entries >> 8);
  tiff += static_cast<char>(tag);
  tiff += QByteArray("\x01\x03\x00\x01\x00\x00\x00", 7);
  tiff += static_cast<char>(orientation);
  tiff += QByteArray(7, '\0');
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
  QByteArray segment("\xff\xe1", 2);
  segment += static_cast<char>((payload.size() + 2) >> 8);
  segment += static_cast<char>((payload.size() + 2) & 0xff);
  const QByteArray jpeg = smallJpeg();
  return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

struct HostileFile {
  const char* name;
  const char* kind;
  const char* fileName;
  std::function<QByteArray()> bytes;
  const char* expected;  // a pattern of the message after "refused: <path>: ", or of "read "
};

void PrintTo(const HostileFile& file, std::ostream* os) { *os << file.name; }

class HostileInput : public testing::TestWithParam<HostileFile> {};

TEST_P(HostileInput, EndsInAnErrorNamingTheFileWithMemoryBounded) {
  const HostileFile& c = GetParam();
  test::ScratchDir dir;
  const std::filesystem::path path = dir / c.fileName;
  test::writeFile(path, c.bytes());
  const QString file = QString::fromStdString(path.string());

  const ProbeResult r = runProbe(QString::fromLatin1(c.kind), file);
  const QRegularExpression expected(QString::fromUtf8(c.expected));
  if (QString::fromUtf8(c.expected).startsWith(QLatin1String("read "))) {
    EXPECT_EQ(r.exitCode, 0) << r.output.toStdString();
    EXPECT_TRUE(expected.match(r.output).hasMatch()) << r.output.toStdString();
  } else {
    EXPECT_EQ(r.exitCode, 2) << r.output.toStdString();
    const QString refused = QStringLiteral("refused: ");
    EXPECT_TRUE(r.output.startsWith(refused)) << r.output.toStdString();
    const QString message = r.output.mid(refused.size()).section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(message.contains(QString::fromLatin1(c.fileName))) << message.toStdString();
    EXPECT_TRUE(expected.match(message).hasMatch()) << message.toStdString();
  }
#ifndef SOLVANE_UNDER_ASAN
  EXPECT_GT(r.peakKb, 0);
  EXPECT_LT(r.peakKb, kPeakLimitKb) << "peak " << r.peakKb / 1024 << " MB";
#endif
}

QByteArray longKscLine(int units) {
  QString text, durations;
  for (int i = 0; i < units; ++i) {
    text += QChar(0x6708);
    durations += QStringLiteral("10,");
  }
  return encodeGbk(QStringLiteral("karaoke.add('00:01.000', '00:59.000', '%1', '%2');\r\n")
                       .arg(text, durations));
}

const HostileFile kHostileFiles[] = {
    {"ZlibBomb", "package", "bomb.rar",
     [] { return layerClaiming(100u << 20, deflatedZeros(100ll << 20)); },
     "claims 104857600 bytes, more than the 64 MB a template package may inflate to"},
    {"LayerInflatingBeyondItsClaim", "package", "liar.rar",
     [] { return layerClaiming(4000, deflatedZeros(100ll << 20)); },
     "inflates to more than the 4000 bytes it states"},
    {"PackageFileTooLarge", "package", "huge.rar",
     [] { return QByteArray(70 << 20, 'x'); }, "too large for a template package"},
    {"MovieNestedAMillionDeep", "movie", "deep.rar",
     [] {
       return movieAround("[" + QByteArray(1'000'000, '[') + QByteArray(1'000'000, ']') + "]");
     },
     "nest more than 32 deep"},
    {"MovieFileTooLarge", "movie", "large.rar",
     [] { return movieAround("[]" + QByteArray(17 << 20, ' ')); },
     "too large for a movie file \\(more than 16 MB\\)"},
    {"LrcOfOne50MegabyteLine", "lrc", "long.lrc",
     [] { return "[00:01.00]" + QByteArray(50 << 20, 'a'); }, "too large for a lyric file"},
    {"LrcLineFarWiderThanTheFrame", "lrc", "wide.lrc",
     [] { return "[00:00.50]ok\r\n[00:01.00]" + QByteArray(20000, 'a') + "\r\n"; },
     "line 2 is 20011 characters long; a lyric line may hold at most 4096"},
    {"KscOf10000UnitsOnALine", "ksc", "units.ksc", [] { return longKscLine(10000); },
     "line 1 is \\d+ characters long"},
    {"JpegClaiming65535Square", "photo", "huge.jpg", [] { return jpegClaiming(65535, 65535); },
     "damaged JPEG data \\(Maximum supported image dimension is 65500 pixels\\)"},
    {"JpegClaiming60000Square", "photo", "large.jpg", [] { return jpegClaiming(60000, 60000); },
     "60000 × 60000 pixels, more than 100 megapixels"},
    {"ExifPointingOutsideTheFile", "photo", "exif.jpg",
     [] { return jpegWithExif(6, 0x7ffffff0u); }, "read 16x8"},
    {"ExifEntriesRunningPastItsBlock", "photo", "entries.jpg",
     [] { return jpegWithExif(6, 8, 65535, 0x00); }, "read 16x8"},
    {"ExifTurnedAsControl", "photo", "turned.jpg", [] { return jpegWithExif(6, 8); },
     "read 8x16"},
};

INSTANTIATE_TEST_SUITE_P(Files, HostileInput, testing::ValuesIn(kHostileFiles),
                         [](const testing::TestParamInfo<HostileFile>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace solvane
