#pragma once
// Memory that pictures are decoded, scaled and encoded into, kept from one photograph to
// the next. Touching fresh memory for every multi-megabyte picture costs more than the
// decoding itself on some systems; one PictureMemory per worker avoids it.
#include <cstddef>
#include <vector>

#include <QImage>
#include <QSize>

namespace solvane {

class PictureMemory {
 public:
  // What a block holds; each use has its own block so the pictures of one photograph can
  // be alive together.
  enum Block { file, decoded, scaled, upright, canvas, encoded, blockCount_ };

  // An RGB32 picture of `size` over the block's memory (contents undefined). It stays valid
  // until the block is asked for again.
  QImage picture(Block block, QSize size);
  // At least `size` bytes of the block.
  unsigned char* bytes(Block block, std::size_t size);

 private:
  std::vector<unsigned char> blocks_[blockCount_];
};

// A picture of `size` in `memory`'s block, or a picture of its own when memory is null.
QImage pictureIn(PictureMemory* memory, PictureMemory::Block block, QSize size);

}  // namespace solvane
