#pragma once
// The single-photograph preview: its working tree (copies of one instance's movie with
// shrunken slot pictures, and of the closing movie), the frames of one run rendered on worker
// threads in playing order, and the pace at which a window shows them.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include <QImage>
#include <QSize>
#include <QString>

#include "model/job.h"

namespace solvane {

struct Project;
class Workspace;

inline constexpr QSize kPreviewSize{800, 450};
inline constexpr int kPreviewFrameMs = 40;  // 25 frames a second

namespace preview_path {
QString root(const Workspace& ws);            // smxcwjj\wj_yl_xg_1\wj_yl_xg_1\wj_yl_xg_1\ .
QString openingPicture(const Workspace& ws);  // pic\picture_0.rar
QString instanceMovie(const Workspace& ws, const QString& instance);
QString closingMovie(const Workspace& ws);
}  // namespace preview_path

struct PreviewMovies {
  QString instance;  // the copy of the instance movie
  QString closing;   // the copy of the closing movie
  QString opening;   // the opening picture both movies read
};

// Builds the preview tree afresh for photo row `row`: copies of its instance movie and of the
// closing movie, and the preview copies of the instance's slot pictures. Throws Error naming
// a file that is missing or cannot be written.
PreviewMovies preparePreview(const Project& project, const Workspace& ws, int row,
                             const JobControl& job = {});
// Removes the preview tree.
void clearPreview(const Workspace& ws);

// One run of a preview: the instance movie from frame 0 to its last frame, then the closing
// movie from frame 1 to its last, which opens on the instance's last picture. Two worker
// threads render up to a second ahead; take() hands the frames over in playing order.
class PreviewFrames {
 public:
  struct Frame {
    int movie = 0;   // 0 the instance movie, 1 the closing movie
    int number = 0;  // the movie's frame number
    QImage picture;
  };

  PreviewFrames(PreviewMovies movies, QSize size = kPreviewSize);
  // Stops and waits for the workers.
  ~PreviewFrames();
  PreviewFrames(const PreviewFrames&) = delete;
  PreviewFrames& operator=(const PreviewFrames&) = delete;

  // The next frame if it is rendered already; nothing otherwise (or once stopped).
  std::optional<Frame> take();
  // Every frame has been taken, or the run failed or was stopped.
  bool done() const;
  // Why the run ended early: a movie that could not be started, named; empty otherwise.
  QString failure() const;
  // Ends the run at once; take() answers nothing from now on.
  void stop();

 private:
  class Queue;
  void renderInstance();
  void renderClosing();
  void fail(const QString& message);

  PreviewMovies movies_;
  QSize size_;
  std::unique_ptr<Queue> instanceFrames_;
  std::unique_ptr<Queue> closingFrames_;
  std::atomic<bool> stopped_{false};
  mutable std::mutex mutex_;
  std::condition_variable openingReady_;
  bool openingWritten_ = false;
  QString failure_;
  std::jthread instanceWorker_;
  std::jthread closingWorker_;
};

// The pace of a preview: one frame every kPreviewFrameMs against a clock. A frame that comes
// late is shown at once, and the pace starts again from it, so frames are never skipped.
class FramePacer {
 public:
  void start(qint64 nowMs) { next_ = nowMs; }
  bool due(qint64 nowMs) const { return nowMs >= next_; }
  void shown(qint64 nowMs) {
    next_ = (nowMs - next_ >= kPreviewFrameMs ? nowMs : next_) + kPreviewFrameMs;
  }

 private:
  qint64 next_ = 0;
};

}  // namespace solvane
