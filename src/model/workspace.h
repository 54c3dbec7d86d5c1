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

// "\" separators to "/"; a trailing separator is kept.
QString toNativeRelative(const QString& relative);

// Removes the folder and everything below it. Failures are ignored: whatever cannot be
// removed stays. A folder that does not exist is left alone.
void ClearFolder(const QString& folder);
// Creates the folder and its missing parents. Throws Error when it cannot be created.
void EnsureFolder(const QString& folder);

}  // namespace solvane
