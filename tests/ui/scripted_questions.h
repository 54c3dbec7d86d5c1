#pragma once
// The user-question interface answered by the test: every answer is queued beforehand, and a
// question nobody expected fails the test (and is answered with "cancel").
#include <deque>
#include <functional>
#include <optional>

#include <QStringList>

#include "ui/shared/user_questions.h"

namespace solvane::test {

class ScriptedQuestions : public ui::UserQuestions {
 public:
  using WindowHandler = std::function<int(QDialog& window)>;

  void answerFiles(QStringList files) { files_.push_back(std::move(files)); }
  void answerSaveName(std::optional<QString> name) { saveNames_.push_back(std::move(name)); }
  void answerConfirm(bool yes) { confirms_.push_back(yes); }
  // The handler gets the shown window and returns its result code (accept or reject it).
  void answerWindow(WindowHandler handler) { windows_.push_back(std::move(handler)); }

  QStringList chooseFiles(QWidget* parent, const ui::FileQuestion& question) override;
  std::optional<QString> chooseSaveName(QWidget* parent, const ui::FileQuestion& question) override;
  void showMessage(QWidget* parent, const QString& text) override;
  bool confirm(QWidget* parent, const QString& title, const QString& text) override;
  int showWindow(QDialog& window) override;

  // What was asked, in order.
  QStringList messages;
  QStringList confirmations;       // "title: text"
  std::vector<ui::FileQuestion> fileQuestions;
  QStringList windowTitles;
  // True when every queued answer was used.
  bool allAnswered() const;

 private:
  std::deque<QStringList> files_;
  std::deque<std::optional<QString>> saveNames_;
  std::deque<bool> confirms_;
  std::deque<WindowHandler> windows_;
};

}  // namespace solvane::test
