#include "ui/effects/album_length_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "effects/album_settings.h"
#include "model/project.h"

namespace solvane::ui {

AlbumLengthWindow::AlbumLengthWindow(Project& project, QWidget* parent)
    : QDialog(parent), project_(project) {
  setWindowTitle(QStringLiteral("相册时长"));
  photoRule_ = new QRadioButton(QStringLiteral("以相片时间长度为准"), this);
  musicRule_ = new QRadioButton(QStringLiteral("以音乐时间长度为准"), this);
  musicLoop_ = new QCheckBox(QStringLiteral("以音乐循环播放补充帧频"), this);
  pictureLoop_ = new QCheckBox(QStringLiteral("以画面循环播放补充帧频"), this);
  auto* hint = new QLabel(this);
  hint->setWordWrap(true);
  const bool music = !project_.ListView_daoru_yinyue.empty();
  if (!music) {
    // Without music there is nothing else to follow or to loop.
    hint->setText(QStringLiteral("没有添加音乐文件时，相册长度以相片为准。"));
    musicRule_->setEnabled(false);
    musicLoop_->setEnabled(false);
    pictureLoop_->setEnabled(false);
  }

  auto* photoBox = new QGroupBox(QStringLiteral("以相片为准"), this);
  auto* photoLayout = new QVBoxLayout(photoBox);
  photoLayout->addWidget(photoRule_);
  photoLayout->addWidget(musicLoop_);
  auto* musicBox = new QGroupBox(QStringLiteral("以音乐为准"), this);
  auto* musicLayout = new QVBoxLayout(musicBox);
  musicLayout->addWidget(musicRule_);
  musicLayout->addWidget(pictureLoop_);

  auto* close = new QPushButton(QStringLiteral("确定"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addWidget(photoBox);
  layout->addWidget(musicBox);
  if (!music) layout->addWidget(hint);
  layout->addLayout(buttons);
  setMinimumWidth(380);

  connect(photoRule_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    ChoosePhotoLength(project_);
    showProject();
  });
  connect(musicRule_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    ChooseMusicLength(project_);
    showProject();
  });
  connect(musicLoop_, &QCheckBox::toggled, this,
          [this](bool on) { project_.album_loops.music_loop = on; });
  connect(pictureLoop_, &QCheckBox::toggled, this,
          [this](bool on) { project_.album_loops.picture_loop = on; });
  showProject();
}

void AlbumLengthWindow::showProject() {
  const bool music = followsMusic(project_);
  const QSignalBlocker a(photoRule_), b(musicRule_), c(musicLoop_), d(pictureLoop_);
  photoRule_->setChecked(!music);
  musicRule_->setChecked(music);
  musicLoop_->setChecked(project_.album_loops.music_loop);
  pictureLoop_->setChecked(project_.album_loops.picture_loop);
}

}  // namespace solvane::ui
