#include "photos/thumbnails.h"

#include <QBuffer>
#include <QPainter>

#include "model/error.h"
#include "model/project.h"
#include "photos/working_file.h"

namespace solvane {

QSize thumbnailBox(const Project& project) {
  constexpr int kCellMargin = 30;
  return {project.Edit_xiangpian_Width.toInt() - kCellMargin,
          project.Edit_xiangpian_Height.toInt() - kCellMargin};
}

QImage borderedThumbnail(const QImage& picture) {
  QImage canvas(picture.width() + 2 * kThumbnailBorder, picture.height() + 2 * kThumbnailBorder,
                QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  painter.drawImage(kThumbnailBorder, kThumbnailBorder, picture);
  return canvas;
}

void saveThumbnail(const QImage& bordered, const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!bordered.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
    throw Error(QStringLiteral("%1: the thumbnail could not be written").arg(path));
  writeWorkingFile(path, bytes);
}

}  // namespace solvane
