#pragma once
// The file side of one photo-list edit: every rename, removal and overwrite in the staging
// tree and the thumbnail folder goes through the journal, so that an edit failing half-way
// puts every file back where it was. Removed and overwritten files wait in a scratch folder
// until the edit is committed.
#include <QString>
#include <vector>

namespace solvane {

class Workspace;

class EditJournal {
 public:
  explicit EditJournal(const Workspace& ws);
  // Without commit() every change is undone.
  ~EditJournal();
  EditJournal(const EditJournal&) = delete;
  EditJournal& operator=(const EditJournal&) = delete;

  // Renames a file or folder. A source that does not exist is left alone (false). Throws
  // Error naming both paths when the rename fails.
  bool move(const QString& from, const QString& to);
  // Takes a file or folder out of the tree (into the scratch folder until commit).
  void remove(const QString& path);
  // Keeps a copy of a file that the edit is about to overwrite.
  void keep(const QString& path);
  // Records a file the edit makes, so that undoing removes it.
  void created(const QString& path);

  // The edit is complete: drops the removed and overwritten files.
  void commit();
  // Puts every file back, latest change first. Failures while undoing are ignored.
  void rollback();

 private:
  enum class Kind { Moved, Kept, Created };
  struct Step {
    Kind kind;
    QString from;  // Moved: original place; Kept, Created: the file
    QString to;    // Moved: new place; Kept: the copy
  };
  QString scratchName();

  QString scratch_;
  int taken_ = 0;
  std::vector<Step> steps_;
  bool done_ = false;
};

}  // namespace solvane
