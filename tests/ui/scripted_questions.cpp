#include "ui/scripted_questions.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace solvane::test {

QStringList ScriptedQuestions::chooseFiles(QWidget*, const ui::FileQuestion& question) {
  fileQuestions.push_back(question);
  if (files_.empty()) {
    ADD_FAILURE() << "unexpected file chooser: " << question.title.toStdString();
    return {};
  }
  QStringList files = files_.front();
  files_.pop_front();
  return files;
}

std::optional<QString> ScriptedQuestions::chooseSaveName(QWidget*, const ui::FileQuestion& question) {
  fileQuestions.push_back(question);
  if (saveNames_.empty()) {
    ADD_FAILURE() << "unexpected save dialog: " << question.filter.toStdString();
    return std::nullopt;
  }
  std::optional<QString> name = saveNames_.front();
  saveNames_.pop_front();
  return name;
}

void ScriptedQuestions::showMessage(QWidget*, const QString& text) { messages << text; }

bool ScriptedQuestions::confirm(QWidget*, const QString& title, const QString& text) {
  confirmations << title + QStringLiteral(": ") + text;
  if (confirms_.empty()) {
    ADD_FAILURE() << "unexpected confirmation: " << text.toStdString();
    return false;
  }
  const bool yes = confirms_.front();
  confirms_.pop_front();
  return yes;
}

int ScriptedQuestions::showWindow(QDialog& window) {
  windowTitles << window.windowTitle();
  if (windows_.empty()) {
    ADD_FAILURE() << "unexpected window: " << window.windowTitle().toStdString();
    return QDialog::Rejected;
  }
  WindowHandler handler = windows_.front();
  windows_.pop_front();
  window.show();
  const int result = handler(window);
  window.hide();
  return result;
}

bool ScriptedQuestions::allAnswered() const {
  return files_.empty() && saveNames_.empty() && confirms_.empty() && windows_.empty();
}

}  // namespace solvane::test
