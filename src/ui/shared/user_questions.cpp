#include "ui/shared/user_questions.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>

#include "ui/shared/confirm_window.h"
#include "ui/shared/message_window.h"

namespace solvane::ui {

QString qtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(QLatin1Char('|'));
  if (bar < 0) return filter;
  QStringList patterns = filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& p : patterns) p = p.trimmed();
  return filter.left(bar).trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

namespace {

QString startPath(const FileQuestion& q) {
  if (q.preset.isEmpty()) return q.folder;
  return q.folder.isEmpty() ? q.preset : QDir(q.folder).filePath(q.preset);
}

}  // namespace

QStringList DesktopQuestions::chooseFiles(QWidget* parent, const FileQuestion& q) {
  return QFileDialog::getOpenFileNames(parent, q.title, startPath(q), qtNameFilter(q.filter));
}

std::optional<QString> DesktopQuestions::chooseSaveName(QWidget* parent, const FileQuestion& q) {
  // The ending is added by the command, which also refuses names already taken where
  // replacing would lose something; the dialog only asks before replacing an album file.
  const QString name =
      QFileDialog::getSaveFileName(parent, q.title, startPath(q), qtNameFilter(q.filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

void DesktopQuestions::showMessage(QWidget* parent, const QString& text) {
  MessageWindow window(text, parent);
  window.exec();
}

bool DesktopQuestions::confirm(QWidget* parent, const QString& title, const QString& text) {
  ConfirmWindow window(title, text, parent);
  return window.exec() == QDialog::Accepted;
}

int DesktopQuestions::showWindow(QDialog& window) { return window.exec(); }

}  // namespace solvane::ui
