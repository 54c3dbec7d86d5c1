#include "model/file_moves.h"

#include <filesystem>
#include <system_error>

#include <QFileInfo>

#include "model/error.h"

namespace solvane {
namespace {

std::filesystem::path fsPath(const QString& path) { return path.toStdU16String(); }

}  // namespace

FileMoves::~FileMoves() {
  if (committed_) return;
  for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
    std::error_code ec;
    std::filesystem::rename(fsPath(it->second), fsPath(it->first), ec);
  }
}

void FileMoves::move(const QString& from, const QString& to) {
  std::error_code ec;
  if (!std::filesystem::exists(fsPath(from), ec)) return;
  if (std::filesystem::exists(fsPath(to), ec))
    throw Error(QStringLiteral("%1: cannot move %2 here, the name is taken")
                    .arg(to, QFileInfo(from).fileName()));
  std::filesystem::rename(fsPath(from), fsPath(to), ec);
  if (ec)
    throw Error(QStringLiteral("%1: cannot rename to %2 (%3)")
                    .arg(from, to, QString::fromStdString(ec.message())));
  done_.emplace_back(from, to);
}

void FileMoves::setAside(const QString& path, const QString& scratch) {
  // The scratch name is ours alone: a leftover of an interrupted run goes first.
  std::error_code ec;
  std::filesystem::remove_all(fsPath(scratch), ec);
  const std::size_t before = done_.size();
  move(path, scratch);
  if (done_.size() > before) toRemove_.push_back(scratch);
}

void FileMoves::commit() {
  committed_ = true;
  for (const QString& path : toRemove_) {
    std::error_code ec;
    std::filesystem::remove_all(fsPath(path), ec);
  }
}

}  // namespace solvane
