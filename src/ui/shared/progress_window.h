#pragma once
// A small modal window that runs one job while it is shown: a progress bar over the job's
// steps and "停止". It closes itself when the job ends; its outcome is read afterwards. The
// project is marked busy while the job runs, and the window cannot be closed under it (the
// close mark asks the job to stop instead).
#include <QDialog>

#include "ui/shared/job_runner.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace solvane::ui {

struct Session;

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Outcome { NotRun, Succeeded, Failed, Stopped };

  ProgressWindow(Session& session, const QString& title, QWidget* parent = nullptr);

  // The job starts when the window is shown; `steps` is the bar's maximum until the job
  // reports its own total.
  void setWork(JobRunner::Work work, long long steps);

  Outcome outcome() const { return outcome_; }
  QString failure() const { return failure_; }
  QProgressBar* bar() const { return bar_; }
  QPushButton* stopButton() const { return stop_; }
  JobRunner& runner() { return runner_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Escape: the same as the close mark
  void setStatus(const QString& text);

 private:
  void begin();
  void end(Outcome outcome, const QString& failure = {});

  Session& session_;
  JobRunner runner_;
  JobRunner::Work work_;
  QLabel* status_;
  QProgressBar* bar_;
  QPushButton* stop_;
  Outcome outcome_ = Outcome::NotRun;
  QString failure_;
  bool started_ = false;
};

}  // namespace solvane::ui
