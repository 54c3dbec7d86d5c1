#include "photos/photo_renderer.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "model/error.h"
#include "model/file_io.h"
#include "photos/exif_orientation.h"
#include "photos/picture_memory.h"
#include "photos/resample.h"

namespace solvane {

QSize fitInto(QSize picture, QSize box) {
  const qint64 pw = std::max(1, picture.width()), ph = std::max(1, picture.height());
  if (pw * box.height() >= ph * box.width())
    return {box.width(), static_cast<int>(std::max<qint64>(1, ph * box.width() / pw))};
  return {static_cast<int>(std::max<qint64>(1, pw * box.height() / ph)), box.height()};
}

QImage resampleExactly(const QImage& picture, QSize size) {
  if (picture.size() == size) return picture;
  QImage out = pictureIn(nullptr, PictureMemory::scaled, size);
  resampleInto(picture.convertToFormat(QImage::Format_RGB32), out);
  return out;
}

QByteArray readPhotoFile(const QString& path, PictureMemory* memory) {
  if (QFileInfo(path).isDir())
    throw Error(QStringLiteral("%1: is a folder, not a photograph").arg(path));
  if (!memory) return readWholeFile(path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()));
  const qint64 size = file.size();
  char* data = reinterpret_cast<char*>(memory->bytes(PictureMemory::file, std::size_t(size)));
  if (file.read(data, size) != size)
    throw Error(QStringLiteral("%1: cannot read (%2)").arg(path, file.errorString()));
  return QByteArray::fromRawData(data, size);
}

JpegHeader checkPhotoFile(const QString& path) {
  if (QFileInfo(path).isDir())
    throw Error(QStringLiteral("%1: is a folder, not a photograph").arg(path));
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()));
  constexpr qint64 kTail = 64;
  const qint64 size = file.size();
  // The header (with an EXIF block of up to 64 KiB) nearly always lies in the first 128 KiB.
  QByteArray start;
  std::optional<JpegHeader> header;
  for (qint64 want = 128 * 1024; !header; want *= 4) {
    start += file.read(std::min(size, want) - start.size());
    header = readJpegHeaderStart(start, name);
    if (!header && start.size() >= size) return readJpegHeader(start, name);  // throws
  }
  file.seek(std::max<qint64>(0, size - kTail));
  if (!endsWithEndOfImage(file.read(kTail))) {
    file.seek(0);
    decodeJpeg(file.readAll(), QSize(1, 1), name);  // throws when too little is present
  }
  return *header;
}

DecodedPhoto::DecodedPhoto(const QByteArray& bytes, QSize uprightCover, const QString& name,
                           PictureMemory* memory)
    : jpeg_(decodeJpeg(bytes, uprightCover, name, memory)), memory_(memory) {}

QImage DecodedPhoto::draw(QSize size, QSize used) const {
  // Resample before turning: the turn then moves the small picture, not the large one.
  const QSize stored = swapsSides(jpeg_.orientation) ? size.transposed() : size;
  QImage scaled = jpeg_.picture;
  if (stored != jpeg_.picture.size()) {
    scaled = pictureIn(memory_, PictureMemory::scaled, stored);
    // A turned picture is read in another corner; only an upright one is cut short.
    resampleInto(jpeg_.picture, scaled, jpeg_.orientation == 1 ? used : QSize());
  }
  if (jpeg_.orientation == 1) return scaled;
  QImage upright = pictureIn(memory_, PictureMemory::upright, size);
  turnUprightInto(scaled, jpeg_.orientation, upright);
  return upright;
}

QImage renderPhotoFitting(const QString& path, QSize box) {
  const QByteArray bytes = readPhotoFile(path);
  const QString name = QFileInfo(path).fileName();
  const QSize size = fitInto(readJpegHeader(bytes, name).upright(), box);
  return DecodedPhoto(bytes, size, name).draw(size);
}

QImage renderPhotoExact(const QString& path, QSize size) {
  return DecodedPhoto(readPhotoFile(path), size, QFileInfo(path).fileName()).draw(size);
}

QSize photoUprightSize(const QString& path) {
  return readJpegHeader(readPhotoFile(path), QFileInfo(path).fileName()).upright();
}

}  // namespace solvane
