#include "model/workspace.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "model/error.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;

QString join(const QString& root, const QString& relative) {
  QString rel = toNativeRelative(relative);
  while (rel.startsWith(QLatin1Char('/'))) rel.remove(0, 1);
  return root.endsWith(QLatin1Char('/')) ? root + rel : root + QLatin1Char('/') + rel;
}

fs::path toPath(const QString& path) { return fs::path(path.toStdU16String()); }

// Depth first: empty each sub-folder, then try to remove it; nothing that fails stops
// the walk, so one locked file keeps only itself and its parent folders.
void clearTree(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryEc;
    const fs::file_status status = it->symlink_status(entryEc);
    if (fs::is_directory(status)) clearTree(it->path());
    else fs::remove(it->path(), entryEc);
  }
  fs::remove(folder, ec);
}

}  // namespace

QString executableFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

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
  if (folder.isEmpty()) return;
  QString native = toNativeRelative(folder);
  while (native.size() > 1 && native.endsWith(QLatin1Char('/'))) native.chop(1);
  const fs::path path = toPath(native);
  std::error_code ec;
  // A link named like the folder is removed as a link, never followed.
  if (!fs::is_directory(fs::symlink_status(path, ec))) return;
  clearTree(path);
}

void EnsureFolder(const QString& folder) {
  constexpr int kAttempts = 10;
  const QString path = toNativeRelative(folder);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (QDir().mkpath(path) && QFileInfo(path).isDir()) return;
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  throw Error(QStringLiteral("%1: cannot create the folder").arg(path));
}

}  // namespace solvane
