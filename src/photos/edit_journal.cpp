#include "photos/edit_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/error.h"
#include "model/workspace.h"

namespace solvane {
namespace {

bool exists(const QString& path) { return QFileInfo::exists(path) || QFileInfo(path).isSymLink(); }

QString withoutSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

}  // namespace

EditJournal::EditJournal(const Workspace& ws)
    : scratch_(ws.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\bianji_huifu\\"))) {}

EditJournal::~EditJournal() {
  if (!done_) rollback();
}

QString EditJournal::scratchName() {
  if (taken_ == 0) {
    ClearFolder(scratch_);
    EnsureFolder(scratch_);
  }
  return scratch_ + QString::number(++taken_);
}

bool EditJournal::move(const QString& from, const QString& to) {
  const QString source = withoutSlash(from);
  const QString target = withoutSlash(to);
  if (!exists(source)) return false;
  if (exists(target) || !QDir().rename(source, target))
    throw Error(QStringLiteral("%1: cannot be renamed to %2").arg(source, target));
  steps_.push_back({Kind::Moved, source, target});
  return true;
}

void EditJournal::remove(const QString& path) { move(path, scratchName()); }

void EditJournal::keep(const QString& path) {
  if (!QFileInfo(path).isFile()) return;
  const QString copy = scratchName();
  if (!QFile::copy(path, copy))
    throw Error(QStringLiteral("%1: cannot keep a copy before it is overwritten").arg(path));
  steps_.push_back({Kind::Kept, path, copy});
}

void EditJournal::created(const QString& path) { steps_.push_back({Kind::Created, path, {}}); }

void EditJournal::commit() {
  done_ = true;
  steps_.clear();
  if (taken_ > 0) ClearFolder(scratch_);
}

void EditJournal::rollback() {
  done_ = true;
  for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
    switch (step->kind) {
      case Kind::Moved: QDir().rename(step->to, step->from); break;
      case Kind::Kept:
        QFile::remove(step->from);
        QFile::copy(step->to, step->from);
        break;
      case Kind::Created: QFile::remove(step->from); break;
    }
  }
  steps_.clear();
  if (taken_ > 0) ClearFolder(scratch_);
}

}  // namespace solvane
