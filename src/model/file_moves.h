#pragma once
// A group of renames inside the working tree that happen all together or not at all: each
// move is recorded as it is made, and a group that is not committed puts every file back
// in reverse order when it goes out of scope.
#include <utility>
#include <vector>

#include <QString>

namespace solvane {

class FileMoves {
 public:
  FileMoves() = default;
  FileMoves(const FileMoves&) = delete;
  FileMoves& operator=(const FileMoves&) = delete;
  ~FileMoves();

  // Renames `from` to `to` (which must not exist). Throws Error naming both files when the
  // rename fails; a missing `from` is no move at all and is not an error.
  void move(const QString& from, const QString& to);
  // The moves stay; files set aside for removal are removed now (failures are ignored, the
  // working tree is cleared at exit anyway).
  void commit();
  // Moves `path` (file or folder) out of the way under a scratch name of this program's
  // own, replacing a leftover of that name; commit() removes it, a rollback brings it back.
  void setAside(const QString& path, const QString& scratch);

 private:
  std::vector<std::pair<QString, QString>> done_;  // (from, to), in order
  std::vector<QString> toRemove_;
  bool committed_ = false;
};

}  // namespace solvane
