#pragma once
// "相片使用效果预览": plays the template instance of one photograph and then the closing
// movie at 800 × 450 and 25 frames a second. The frames are rendered on worker threads and
// shown in order, paced by a timer against a clock; "停止" ends playback at any moment,
// "播放" starts again from the instance movie, "返回" and the close mark clear the preview's
// working tree and close the window.
#include <memory>
#include <vector>

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include "render/photo_preview.h"

class QLabel;
class QPushButton;

namespace solvane::ui {

struct Session;

class PhotoPreviewWindow : public QDialog {
  Q_OBJECT
 public:
  struct Shown {
    int movie;
    int number;
    qint64 atMs;  // on the window's clock
  };

  PhotoPreviewWindow(Session& session, int row, QWidget* parent = nullptr);
  ~PhotoPreviewWindow() override;

  void play();   // "播放"
  void stop();   // "停止"
  void leave();  // "返回"
  bool playing() const { return frames_ != nullptr; }

  // Every frame shown since the last "播放", in order.
  const std::vector<Shown>& shown() const { return shown_; }
  QStringList information() const;
  QLabel* picture() const { return picture_; }
  QPushButton* playButton() const { return play_; }
  QPushButton* stopButton() const { return stop_; }
  QPushButton* backButton() const { return back_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Escape: the same as "返回"

 private:
  void prepare();
  void tick();
  void endPlayback();

  Session& session_;
  int row_;
  std::optional<PreviewMovies> movies_;
  std::unique_ptr<PreviewFrames> frames_;
  FramePacer pacer_;
  QElapsedTimer clock_;
  QTimer timer_;
  std::vector<Shown> shown_;
  QList<QLabel*> fields_;
  QLabel* picture_;
  QPushButton* play_;
  QPushButton* stop_;
  QPushButton* back_;
  bool prepared_ = false;
  bool left_ = false;
};

}  // namespace solvane::ui
