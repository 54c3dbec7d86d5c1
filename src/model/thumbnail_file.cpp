#include "model/thumbnail_file.h"

#include <QBuffer>
#include <QFileInfo>

#include "model/error.h"
#include "model/workspace.h"
#include "model/working_file.h"

namespace solvane {

void saveThumbnail(const QImage& picture, const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
    throw Error(QStringLiteral("%1: the thumbnail could not be written").arg(path));
  EnsureFolder(QFileInfo(path).absolutePath());
  writeWorkingFile(path, bytes);
}

}  // namespace solvane
