#include "ui/shared/qt_playback.h"

#include <QFileInfo>
#include <QUrl>

namespace solvane::ui {

QtPlayback::QtPlayback(QObject* parent) : QObject(parent) {
  player_.setAudioOutput(&output_);
  connect(&player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) ended_ = true;
    if (s == QMediaPlayer::InvalidMedia && error_.isEmpty())
      error_ = QStringLiteral("the media layer cannot decode it");
  });
  connect(&player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error, const QString& text) {
            if (error_.isEmpty()) error_ = text.isEmpty() ? QStringLiteral("it cannot be played") : text;
          });
}

void QtPlayback::open(const QString& path) {
  player_.stop();
  path_ = path;
  ended_ = false;
  error_.clear();
  if (!QFileInfo(path).isFile()) {
    error_ = QStringLiteral("no such file");
    player_.setSource(QUrl());
    return;
  }
  player_.setSource(QUrl::fromLocalFile(path));
}

void QtPlayback::play() {
  if (path_.isEmpty() || !error_.isEmpty()) return;
  if (ended_) player_.setPosition(0);
  ended_ = false;
  player_.play();
}

void QtPlayback::pause() { player_.pause(); }

void QtPlayback::stop() {
  ended_ = false;
  player_.stop();
  player_.setPosition(0);
}

void QtPlayback::seek(long long ms) { player_.setPosition(ms); }

long long QtPlayback::positionMs() const { return ended_ ? player_.duration() : player_.position(); }

bool QtPlayback::playing() const { return player_.playbackState() == QMediaPlayer::PlayingState; }

}  // namespace solvane::ui
