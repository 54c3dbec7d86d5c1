#pragma once
// "音乐预览" and "歌词预览": the music plays and the lyric line of its current second stands
// on the black 679 × 390 area as the album will show it. The two windows differ only in
// their opening and play checks.
#include <memory>

#include <QDialog>

#include "render/lyric_preview.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace solvane {
class Playback;
}

namespace solvane::ui {

struct Session;

enum class PreviewKind { Music, Lyric };

class PreviewWindow : public QDialog {
  Q_OBJECT
 public:
  PreviewWindow(Session& session, PreviewKind kind, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // The opening check of the window's command: the refusal message, empty when it opens.
  static QString openingCheck(const Session& session, PreviewKind kind);

  void chooseMusic(int row);
  void chooseLyric(int row);
  // "播放音乐" / "预览歌词" with their checks.
  void playCommand();
  // "停止播放".
  void stopCommand();
  // One look at the music: the clock, the line, the end.
  void tick();

  QListWidget* musicList() const { return musicList_; }
  QListWidget* lyricList() const { return lyricList_; }
  QLineEdit* musicEcho() const { return musicEcho_; }
  QLineEdit* lyricEcho() const { return lyricEcho_; }
  QLabel* currentTime() const { return current_; }
  QLabel* totalTime() const { return total_; }
  QPushButton* playButton() const { return play_; }
  QPushButton* stopButton() const { return stop_; }
  QPushButton* backButton() const { return back_; }
  QWidget* area() const { return area_; }
  const LyricPreview& lyric() const { return preview_; }
  Playback& playback() const { return *playback_; }
  bool clockRunning() const;

 protected:
  void reject() override;

 private:
  void showFailure();

  Session& session_;
  PreviewKind kind_;
  std::unique_ptr<Playback> playback_;
  LyricPreview preview_;
  QString musicPath_;
  QString reported_;  // the file whose failure was already shown
  QListWidget* musicList_;
  QListWidget* lyricList_;
  QLineEdit* musicEcho_;
  QLineEdit* lyricEcho_;
  QWidget* area_;
  QLabel* current_;
  QLabel* total_;
  QPushButton* play_;
  QPushButton* stop_;
  QPushButton* back_;
  QTimer* clock_;
  QTimer* watch_;
};

}  // namespace solvane::ui
