#include "photo_fixtures.h"

#include <deque>
#include <memory>
#include <stdexcept>

#include <QDir>
#include <QPainter>

#include <turbojpeg.h>

#include "model/columns.h"
#include "model/project.h"
#include "model/workspace.h"
#include "support/fixtures.h"
#include "templates/package.h"

namespace solvane::test {
namespace {

struct TurboDeleter {
  void operator()(void* h) const { tjDestroy(h); }
};

// An APP1 segment holding a big-endian EXIF block with one IFD entry: the orientation.
QByteArray exifSegment(int orientation) {
  QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
  tiff += QByteArray("\x00\x01", 2);                          // one entry
  tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);  // orientation, SHORT, count 1
  tiff += char(0);
  tiff += char(orientation);
  tiff += QByteArray(2, '\0');
  tiff += QByteArray(4, '\0');  // no next IFD
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
  const int length = static_cast<int>(payload.size()) + 2;
  QByteArray segment("\xFF\xE1", 2);
  segment += char(length >> 8);
  segment += char(length & 0xFF);
  return segment + payload;
}

}  // namespace

QImage quadrantPicture(int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  const int hw = width / 2, hh = height / 2;
  p.fillRect(0, 0, hw, hh, Qt::red);
  p.fillRect(hw, 0, width - hw, hh, Qt::green);
  p.fillRect(0, hh, hw, height - hh, Qt::blue);
  p.fillRect(hw, hh, width - hw, height - hh, Qt::yellow);
  return img;
}

QByteArray jpegBytes(const QImage& picture, int exifOrientation, bool progressive) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::unique_ptr<void, TurboDeleter> h(tjInitCompress());
  unsigned char* out = nullptr;
  unsigned long size = 0;
  if (tjCompress2(h.get(), rgb.constBits(), rgb.width(), static_cast<int>(rgb.bytesPerLine()),
                  rgb.height(), TJPF_RGB, &out, &size, TJSAMP_420, 95,
                  progressive ? TJFLAG_PROGRESSIVE : 0) != 0)
    throw std::runtime_error("test JPEG encoding failed");
  QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
  tjFree(out);
  if (exifOrientation != 0) bytes.insert(2, exifSegment(exifOrientation));
  return bytes;
}

QString writeJpeg(const std::filesystem::path& path, int width, int height, int exifOrientation) {
  writeFile(path, jpegBytes(quadrantPicture(width, height), exifOrientation));
  return QString::fromStdString(path.string());
}

bool near(QColor actual, QColor expected, int tolerance) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

QStringList catalogRow(int tplSeq, int photoCount, int landscapeCount, int portraitCount,
                       const QString& location, const QString& widths, const QString& heights) {
  QStringList row(catalog_col::count_);
  row[catalog_col::photo_count] = QString::number(photoCount);
  const QString slots = QStringLiteral("|") + QStringLiteral("x|").repeated(photoCount);
  row[catalog_col::photo_width] = widths.isEmpty() ? QString(slots).replace("x", "800") : widths;
  row[catalog_col::photo_height] = heights.isEmpty() ? QString(slots).replace("x", "600") : heights;
  row[catalog_col::orientation] = QStringLiteral("|heng|");
  row[catalog_col::jpg_name] = QStringLiteral("picture");
  row[catalog_col::location] = location.isEmpty() ? QStringLiteral("tpl_%1.rar").arg(tplSeq) : location;
  row[catalog_col::tpl_seq] = QString::number(tplSeq);
  row[catalog_col::landscape_count] = QString::number(landscapeCount);
  row[catalog_col::portrait_count] = QString::number(portraitCount);
  row[catalog_col::frame_count] = QStringLiteral("250");
  return row;
}

std::function<int(int)> drawSequence(std::vector<int> draws) {
  auto queue = std::make_shared<std::deque<int>>(draws.begin(), draws.end());
  return [queue](int m) {
    if (queue->empty()) return 0;
    const int r = queue->front() % m;
    queue->pop_front();
    return r;
  };
}

void addSingleTemplates(Project& project, const QString& libraryRoot) {
  const QString landscape = libraryRoot + QStringLiteral("/landscape_1.rar");
  const QString portrait = libraryRoot + QStringLiteral("/portrait_1.rar");
  write_package(landscape, QByteArray("landscape movie"));
  write_package(portrait, QByteArray("portrait movie"));
  project.ListView_hengzhaopian.append(
      catalogRow(0, 1, 1, 0, landscape, QStringLiteral("|800|"), QStringLiteral("|600|")));
  project.ListView_shuzhaopian.append(
      catalogRow(1, 1, 0, 1, portrait, QStringLiteral("|600|"), QStringLiteral("|800|")));
}

void writeClosingMovie(const QString& libraryRoot) {
  const Workspace ws(libraryRoot, libraryRoot);
  QDir().mkpath(ws.LibraryPath(QStringLiteral("smxcwjj\\wj_0_or_1")));
  write_package(ws.LibraryPath(QStringLiteral("smxcwjj\\wj_0_or_1\\wj_1.rar")),
                QByteArray("closing movie"));
}

}  // namespace solvane::test
