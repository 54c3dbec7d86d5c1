#include "ui/render/make_album_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/shared/session.h"

namespace solvane::ui {

MakeAlbumWindow::MakeAlbumWindow(Session& session, OutputTarget target, QWidget* parent)
    : QDialog(parent), session_(session), target_(std::move(target)) {
  setWindowTitle(QStringLiteral("制作相册"));
  name_ = new QLineEdit(target_.name, this);
  name_->setReadOnly(true);
  openFolder_ = new QCheckBox(QStringLiteral("完成后打开保存文件夹"), this);
  openLocation_ = new QPushButton(QStringLiteral("打开保存位置"), this);
  stop_ = new QPushButton(QStringLiteral("停止制作"), this);
  stop_->setEnabled(false);
  frames_ = new QProgressBar(this);
  frames_->setRange(0, 1);
  frames_->setValue(0);
  frames_->setFormat(QStringLiteral("%v / %m 帧"));
  running_ = new QProgressBar(this);
  running_->setRange(0, 100);
  running_->setValue(0);
  running_->setTextVisible(false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("文件名:"), this), 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(frames_, 1, 0, 1, 2);
  grid->addWidget(running_, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(openFolder_);
  buttons->addStretch();
  buttons->addWidget(openLocation_);
  buttons->addWidget(stop_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->setSpacing(12);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  setMinimumWidth(520);

  connect(openLocation_, &QPushButton::clicked, this, [this] {
    if (session_.openFolder) session_.openFolder(QFileInfo(target_.path).absolutePath());
  });
  connect(stop_, &QPushButton::clicked, this, [this] {
    stop_->setEnabled(false);
    runner_.requestStop();
  });
  connect(&runner_, &JobRunner::progress, this, [this](long long done, long long total) {
    if (total > 0 && frames_->maximum() != total) frames_->setRange(0, static_cast<int>(total));
    frames_->setValue(static_cast<int>(std::min(done, total)));
    running_->setValue(static_cast<int>(done % 101));
  });
  connect(&runner_, &JobRunner::succeeded, this, [this] { end(Outcome::Written); });
  connect(&runner_, &JobRunner::stopped, this, [this] { end(Outcome::Stopped); });
  connect(&runner_, &JobRunner::failed, this,
          [this](const QString& message) { end(Outcome::Failed, message); });
}

bool MakeAlbumWindow::openFolderWhenDone() const { return openFolder_->isChecked(); }

void MakeAlbumWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, &MakeAlbumWindow::begin);
}

void MakeAlbumWindow::begin() {
  session_.busy = true;
  stop_->setEnabled(true);
  runner_.start([this](const JobControl& control) {
    // Notes arrive on the worker; the window reads them only after the job has ended.
    result_ = RenderAlbum(session_.project, session_.workspace, target_, control,
                          [this](const QString& note) { notes_ << note; });
  });
}

void MakeAlbumWindow::end(Outcome outcome, const QString& failure) {
  session_.busy = false;
  outcome_ = outcome;
  failure_ = failure;
  stop_->setEnabled(false);
  done(outcome == Outcome::Written ? Accepted : Rejected);
}

void MakeAlbumWindow::closeEvent(QCloseEvent* event) {
  if (runner_.running()) {
    event->ignore();  // only "停止制作" ends an album being made
    return;
  }
  QDialog::closeEvent(event);
}

void MakeAlbumWindow::reject() {
  if (runner_.running()) return;
  QDialog::reject();
}

}  // namespace solvane::ui
