#include "model/workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "model/error.h"

namespace solvane {
namespace {

QString executableFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

QString join(const QString& root, const QString& relative) {
  QString rel = toNativeRelative(relative);
  while (rel.startsWith(QLatin1Char('/'))) rel.remove(0, 1);
  return root.endsWith(QLatin1Char('/')) ? root + rel : root + QLatin1Char('/') + rel;
}

}  // namespace

Workspace::Workspace() : Workspace(executableFolder(), executableFolder()) {}

Workspace::Workspace(QString workspaceRoot, QString libraryRoot)
    : root_(std::move(workspaceRoot)), libraryRoot_(std::move(libraryRoot)) {}

QString Workspace::WorkPath(const QString& relative) const { return join(root_, relative); }

QString Workspace::LibraryPath(const QString& relative) const {
  return join(libraryRoot_, relative);
}

QString toNativeRelative(const QString& relative) {
  QString out = relative;
  out.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return out;
}

void ClearFolder(const QString& folder) {
  QDir dir(folder);
  if (!dir.exists()) return;
  dir.removeRecursively();  // leaves in place whatever it cannot remove
}

void EnsureFolder(const QString& folder) {
  if (QDir().mkpath(folder) && QFileInfo(folder).isDir()) return;
  throw Error(QStringLiteral("%1: cannot create the folder").arg(folder));
}

}  // namespace solvane
