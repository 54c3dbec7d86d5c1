#include "ui/render/photo_preview_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "photos/photo_editing.h"
#include "ui/shared/progress_window.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {

PhotoPreviewWindow::PhotoPreviewWindow(Session& session, int row, QWidget* parent)
    : QDialog(parent), session_(session), row_(row) {
  setWindowTitle(QStringLiteral("相片使用效果预览"));
  picture_ = new QLabel(this);
  picture_->setFixedSize(kPreviewSize);
  picture_->setStyleSheet(QStringLiteral("background: black;"));

  auto* info = new QVBoxLayout;
  info->setSpacing(8);
  for (const QString& line : photoDescription(session.project, row)) {
    auto* label = new QLabel(line, this);
    fields_ << label;
    info->addWidget(label);
  }
  info->addStretch();
  play_ = new QPushButton(QStringLiteral("播放"), this);
  stop_ = new QPushButton(QStringLiteral("停止"), this);
  back_ = new QPushButton(QStringLiteral("返回"), this);
  connect(play_, &QPushButton::clicked, this, &PhotoPreviewWindow::play);
  connect(stop_, &QPushButton::clicked, this, &PhotoPreviewWindow::stop);
  connect(back_, &QPushButton::clicked, this, &PhotoPreviewWindow::leave);
  for (QPushButton* b : {play_, stop_, back_}) info->addWidget(b);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(14);
  layout->addWidget(picture_);
  layout->addLayout(info);

  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(4);
  connect(&timer_, &QTimer::timeout, this, &PhotoPreviewWindow::tick);
  clock_.start();
}

PhotoPreviewWindow::~PhotoPreviewWindow() { endPlayback(); }

QStringList PhotoPreviewWindow::information() const {
  QStringList out;
  for (const QLabel* l : fields_) out << l->text();
  return out;
}

void PhotoPreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!prepared_) {
    prepared_ = true;
    QTimer::singleShot(0, this, &PhotoPreviewWindow::prepare);
  }
}

// The preview copies are made in the progress window, then the movies play.
void PhotoPreviewWindow::prepare() {
  ProgressWindow progress(session_, QStringLiteral("添加相片"), this);
  progress.setWork([this](const JobControl& job) {
    movies_ = preparePreview(session_.project, session_.workspace, row_, job);
  }, 2);
  progress.exec();
  if (progress.outcome() == ProgressWindow::Outcome::Failed)
    session_.questions.showMessage(this, progress.failure());
  if (movies_ && !left_) play();
}

void PhotoPreviewWindow::play() {
  stop();
  if (!movies_) return;
  shown_.clear();
  picture_->clear();
  picture_->show();
  frames_ = std::make_unique<PreviewFrames>(*movies_);
  pacer_.start(clock_.elapsed());
  timer_.start();
}

void PhotoPreviewWindow::stop() {
  endPlayback();
  picture_->clear();  // the player's picture goes away until the next "播放"
}

void PhotoPreviewWindow::endPlayback() {
  timer_.stop();
  frames_.reset();
}

void PhotoPreviewWindow::tick() {
  if (!frames_) return;
  const qint64 now = clock_.elapsed();
  if (pacer_.due(now)) {
    if (auto frame = frames_->take()) {
      picture_->setPixmap(QPixmap::fromImage(frame->picture));
      shown_.push_back({frame->movie, frame->number, now});
      pacer_.shown(now);
      return;
    }
  }
  if (!frames_->done()) return;
  const QString failure = frames_->failure();
  endPlayback();  // the last picture stays shown
  if (!failure.isEmpty()) session_.questions.showMessage(this, failure);
}

void PhotoPreviewWindow::leave() {
  left_ = true;
  stop();
  clearPreview(session_.workspace);
  accept();
}

void PhotoPreviewWindow::reject() { leave(); }

void PhotoPreviewWindow::closeEvent(QCloseEvent* event) {
  if (!left_) {
    left_ = true;
    stop();
    clearPreview(session_.workspace);
  }
  QDialog::closeEvent(event);
}

}  // namespace solvane::ui
