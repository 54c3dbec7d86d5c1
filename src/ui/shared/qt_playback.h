#pragma once
// Playback on Qt Multimedia. The programs choose the GStreamer backend (QT_MEDIA_BACKEND)
// before the first media object: it plays, and its position advances, on a machine without
// a sound device, where the FFmpeg backend crashes.
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>

#include "lyrics/playback.h"

namespace solvane::ui {

class QtPlayback : public QObject, public Playback {
  Q_OBJECT
 public:
  explicit QtPlayback(QObject* parent = nullptr);

  void open(const QString& path) override;
  void play() override;
  void pause() override;
  void stop() override;
  void seek(long long ms) override;

  QString path() const override { return path_; }
  long long positionMs() const override;
  long long lengthMs() const override { return player_.duration(); }
  bool playing() const override;
  bool ended() const override { return ended_; }
  QString error() const override { return error_; }

 private:
  // The player needs an output attached even when no sound device exists.
  QAudioOutput output_;
  QMediaPlayer player_;
  QString path_;
  QString error_;
  bool ended_ = false;
};

}  // namespace solvane::ui
