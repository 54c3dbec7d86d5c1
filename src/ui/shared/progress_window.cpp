#include "ui/shared/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/shared/session.h"

namespace solvane::ui {

ProgressWindow::ProgressWindow(Session& session, const QString& title, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle(title);
  setModal(true);
  status_ = new QLabel(this);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 0);
  bar_->setMinimumWidth(420);
  stop_ = new QPushButton(QStringLiteral("停止"), this);
  connect(stop_, &QPushButton::clicked, this, [this] {
    stop_->setEnabled(false);
    setStatus(QStringLiteral("正在停止…"));
    runner_.requestStop();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(stop_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addWidget(status_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);

  connect(&runner_, &JobRunner::progress, this, [this](long long done, long long total) {
    if (total > 0 && bar_->maximum() != total) bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(std::min(done, total)));
  });
  connect(&runner_, &JobRunner::succeeded, this, [this] { end(Outcome::Succeeded); });
  connect(&runner_, &JobRunner::stopped, this, [this] { end(Outcome::Stopped); });
  connect(&runner_, &JobRunner::failed, this,
          [this](const QString& message) { end(Outcome::Failed, message); });
}

void ProgressWindow::setWork(JobRunner::Work work, long long steps) {
  work_ = std::move(work);
  bar_->setRange(0, static_cast<int>(std::max<long long>(steps, 1)));
  bar_->setValue(0);
}

void ProgressWindow::setStatus(const QString& text) { status_->setText(text); }

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    // Once the window is painted, so the user sees it before the work begins.
    QTimer::singleShot(0, this, &ProgressWindow::begin);
  }
}

void ProgressWindow::begin() {
  if (!work_) {
    end(Outcome::Succeeded);
    return;
  }
  session_.busy = true;
  runner_.start(work_);
}

void ProgressWindow::end(Outcome outcome, const QString& failure) {
  session_.busy = false;
  outcome_ = outcome;
  failure_ = failure;
  done(outcome == Outcome::Succeeded ? Accepted : Rejected);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (runner_.running()) {
    event->ignore();
    stop_->click();
    return;
  }
  QDialog::closeEvent(event);
}

void ProgressWindow::reject() {
  if (runner_.running()) {
    if (stop_->isEnabled()) stop_->click();
    return;
  }
  QDialog::reject();
}

}  // namespace solvane::ui
