#include "photos/thumbnails.h"

#include <QBuffer>
#include <QPainter>

#include "model/error.h"
#include "model/project.h"

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


}  // namespace solvane
