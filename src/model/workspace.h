#pragma once
// The working tree "smxcwjj" and the installed template library. Relative paths are
// written as the system writes them ("smxcwjj\tp_wj\tp_slt_1\"); they resolve with "/"
// under the workspace root (scratch files) or the library root (installed, read-only).
#include <QString>

namespace solvane {

class Workspace {
 public:
  // Both roots default to the folder of the running executable.
  Workspace();
  Workspace(QString workspaceRoot, QString libraryRoot);

  const QString& root() const { return root_; }
  const QString& libraryRoot() const { return libraryRoot_; }

  // Workspace root + relative path (scratch and working files).
  QString WorkPath(const QString& relative) const;
  // Library root + relative path (installed templates and the closing movie).
  QString LibraryPath(const QString& relative) const;

 private:
  QString root_;
  QString libraryRoot_;
};

// The folder of the running executable (the default root of both trees).
QString executableFolder();

// "\" separators to "/"; a trailing separator is kept.
QString toNativeRelative(const QString& relative);

// Removes the folder and everything below it. Failures are ignored: whatever cannot be
// removed stays, and so do the folders holding it. A folder that does not exist is left
// alone. Symbolic links are removed as links; their targets are never entered.
void ClearFolder(const QString& folder);
// Creates the folder and its missing parents, retrying briefly (letting pending events
// run) while the file system refuses. Throws Error when the folder still cannot be made,
// rather than hanging the program on a folder that will never appear.
void EnsureFolder(const QString& folder);

}  // namespace solvane
