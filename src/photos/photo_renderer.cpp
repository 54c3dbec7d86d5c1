#include "photos/photo_renderer.h"

#include <algorithm>

#include <QFileInfo>

#include "model/error.h"
#include "model/file_io.h"
#include "photos/exif_orientation.h"

namespace solvane {

QSize fitInto(QSize picture, QSize box) {
  const qint64 pw = std::max(1, picture.width()), ph = std::max(1, picture.height());
  if (pw * box.height() >= ph * box.width())
    return {box.width(), static_cast<int>(std::max<qint64>(1, ph * box.width() / pw))};
  return {static_cast<int>(std::max<qint64>(1, pw * box.height() / ph)), box.height()};
}

QImage resampleExactly(const QImage& picture, QSize size) {
  if (picture.size() == size) return picture;
  return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray readPhotoFile(const QString& path) {
  if (QFileInfo(path).isDir())
    throw Error(QStringLiteral("%1: is a folder, not a photograph").arg(path));
  return readWholeFile(path);
}

DecodedPhoto::DecodedPhoto(const QByteArray& bytes, QSize uprightCover, const QString& name)
    : jpeg_(decodeJpeg(bytes, uprightCover, name)) {}

QImage DecodedPhoto::draw(QSize size) const {
  // Resample before turning: the turn then moves the small picture, not the large one.
  const QSize stored = swapsSides(jpeg_.orientation) ? size.transposed() : size;
  return turnUpright(resampleExactly(jpeg_.picture, stored), jpeg_.orientation);
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
