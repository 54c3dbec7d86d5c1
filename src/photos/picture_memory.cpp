#include "photos/picture_memory.h"

#include "model/error.h"

namespace solvane {

unsigned char* PictureMemory::bytes(Block block, std::size_t size) {
  std::vector<unsigned char>& b = blocks_[block];
  if (b.size() < size) {
    b.clear();
    b.shrink_to_fit();
    b.resize(size);
  }
  return b.data();
}

QImage PictureMemory::picture(Block block, QSize size) {
  const qsizetype line = qsizetype(size.width()) * 4;
  unsigned char* data = bytes(block, std::size_t(line) * std::size_t(size.height()));
  return QImage(data, size.width(), size.height(), line, QImage::Format_RGB32);
}

QImage pictureIn(PictureMemory* memory, PictureMemory::Block block, QSize size) {
  QImage img = memory ? memory->picture(block, size) : QImage(size, QImage::Format_RGB32);
  if (img.isNull())
    throw Error(QStringLiteral("not enough memory for a picture of %1 × %2 pixels")
                    .arg(size.width()).arg(size.height()));
  return img;
}

}  // namespace solvane
