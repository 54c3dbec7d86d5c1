#include "render/photo_preview.h"

#include <QFile>
#include <QFileInfo>

#include "model/columns.h"
#include "model/error.h"
#include "model/file_io.h"
#include "model/project.h"
#include "model/working_file.h"
#include "model/workspace.h"
#include "photos/jpeg_encoder.h"
#include "photos/staging.h"
#include "photos/staging_paths.h"
#include "templates/template_player.h"

namespace solvane {

namespace preview_path {

QString root(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\wj_yl_xg_1\\wj_yl_xg_1\\wj_yl_xg_1\\"));
}

QString openingPicture(const Workspace& ws) {
  return root(ws) + QStringLiteral("pic/picture_0") + Project::Edit_kuozhanming_2;
}

QString instanceMovie(const Workspace& ws, const QString& instance) {
  return root(ws) + QStringLiteral("tp_wjj/wj_yl_xg") + instance + QStringLiteral("/wj_yl_xg_") +
         instance + Project::Edit_kuozhanming_1;
}

QString closingMovie(const Workspace& ws) {
  return root(ws) + QStringLiteral("tp_wjj/wj_yl_xg_zuihou/wj_yl_xg_zuihou") +
         Project::Edit_kuozhanming_1;
}

}  // namespace preview_path

namespace {

void copyInto(const QString& from, const QString& to) {
  if (!QFileInfo(from).isFile()) throw Error(QStringLiteral("%1: the staged movie is missing").arg(from));
  EnsureFolder(QFileInfo(to).path());
  writeWorkingFile(to, readWholeFile(from));
}

void writeBlackOpening(const QString& path) {
  QImage black(1920, 1080, QImage::Format_RGB32);
  black.fill(Qt::black);
  EnsureFolder(QFileInfo(path).path());
  writeWorkingFile(path, encodeJpeg(black));
}

// Loads a movie by the player protocol; a movie that cannot be played is named.
void startMovie(TemplatePlayer& player, const QString& path) {
  bool ready = false;
  player.setFSCommandHandler([&](const QString& command, const QString&) {
    if (command == QLatin1String(TemplatePlayer::kReadyCommand)) ready = true;
  });
  try {
    player.setMovie(path);
  } catch (const Error& e) {
    throw Error(QStringLiteral("%1: not a template movie of this program (%2)").arg(path, e.message()));
  }
  player.SetVariable(QString::fromLatin1(TemplatePlayer::kFadeVariable), QStringLiteral("0"));
  if (!player.identityOk() || !ready)
    throw Error(QStringLiteral("%1: not a template movie of this program").arg(path));
  player.setFrameNum(player.TotalFrames());
  player.setFrameNum(0);
  player.Stop();
}

}  // namespace

PreviewMovies preparePreview(const Project& project, const Workspace& ws, int row,
                             const JobControl& job) {
  const Table& photos = project.ListView_daoruxiangpian;
  if (row < 0 || row >= photos.count())
    throw Error(QStringLiteral("photo row %1 does not exist").arg(row + 1));
  const QString t = photos.cell(row, photo_col::template_folder);
  clearPreview(ws);
  EnsureFolder(preview_path::root(ws) + QStringLiteral("pic/"));
  EnsureFolder(preview_path::root(ws) + QStringLiteral("tp_wjj/"));
  PreviewMovies movies{preview_path::instanceMovie(ws, t), preview_path::closingMovie(ws),
                       preview_path::openingPicture(ws)};
  copyInto(staging::closingMovie(ws), movies.closing);
  copyInto(staging::instanceMovie(ws, t), movies.instance);
  job.report(1, 2);
  job.checkStop();
  makePreviewCopies(project, ws, row, kPreviewSize);
  job.report(2, 2);
  return movies;
}

void clearPreview(const Workspace& ws) {
  ClearFolder(ws.WorkPath(QStringLiteral("smxcwjj\\wj_yl_xg_1\\")));
}

// The frames rendered ahead; the worker waits while it is full.
class PreviewFrames::Queue {
 public:
  // A second ahead: a worker that the machine stalls for a moment leaves no gap.
  static constexpr std::size_t kAhead = 25;

  // False once the run is stopped.
  bool push(Frame frame) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return items_.size() < kAhead || cancelled_; });
    if (cancelled_) return false;
    items_.push_back(std::move(frame));
    return true;
  }
  std::optional<Frame> tryPop() {
    std::lock_guard lock(mutex_);
    if (items_.empty() || cancelled_) return std::nullopt;
    Frame f = std::move(items_.front());
    items_.pop_front();
    room_.notify_one();
    return f;
  }
  void close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  void cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = closed_ = true;
    items_.clear();
    room_.notify_all();
  }
  bool drained() const {
    std::lock_guard lock(mutex_);
    return cancelled_ || (closed_ && items_.empty());
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::deque<Frame> items_;
  bool closed_ = false;
  bool cancelled_ = false;
};

PreviewFrames::PreviewFrames(PreviewMovies movies, QSize size)
    : movies_(std::move(movies)), size_(size), instanceFrames_(std::make_unique<Queue>()),
      closingFrames_(std::make_unique<Queue>()) {
  instanceWorker_ = std::jthread([this] { renderInstance(); });
  closingWorker_ = std::jthread([this] { renderClosing(); });
}

PreviewFrames::~PreviewFrames() {
  stop();
  instanceWorker_ = {};
  closingWorker_ = {};
}

void PreviewFrames::fail(const QString& message) {
  {
    std::lock_guard lock(mutex_);
    if (failure_.isEmpty()) failure_ = message;
    openingReady_.notify_all();
  }
  stop();
}

void PreviewFrames::stop() {
  stopped_ = true;
  instanceFrames_->cancel();
  closingFrames_->cancel();
  std::lock_guard lock(mutex_);
  openingReady_.notify_all();
}

void PreviewFrames::renderInstance() {
  try {
    writeBlackOpening(movies_.opening);
    TemplatePlayer player;
    player.setKeptLoads(0);
    player.setSize(size_);
    startMovie(player, movies_.instance);
    // The closing movie opens on the instance's last picture; it is rendered first so that
    // the closing movie loads while the instance plays.
    const int total = player.TotalFrames();
    player.setFrameNum(total - 1);
    const QImage last = player.grab();
    writeWorkingFile(movies_.opening,
                     encodeJpeg(last.scaled(1920, 1080, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    {
      std::lock_guard lock(mutex_);
      openingWritten_ = true;
      openingReady_.notify_all();
    }
    for (int n = 0; n < total && !stopped_; ++n) {
      player.setFrameNum(n);
      if (!instanceFrames_->push({0, n, player.grab()})) return;
    }
    instanceFrames_->close();
  } catch (const std::exception& e) {
    fail(QString::fromUtf8(e.what()));
  }
}

void PreviewFrames::renderClosing() {
  try {
    {
      std::unique_lock lock(mutex_);
      openingReady_.wait(lock, [&] { return openingWritten_ || stopped_; });
      if (stopped_) return;
    }
    TemplatePlayer player;
    player.setKeptLoads(0);
    player.setSize(size_);
    startMovie(player, movies_.closing);
    for (int n = 1; n < player.TotalFrames() && !stopped_; ++n) {
      player.setFrameNum(n);
      if (!closingFrames_->push({1, n, player.grab()})) return;
    }
    closingFrames_->close();
  } catch (const std::exception& e) {
    fail(QString::fromUtf8(e.what()));
  }
}

std::optional<PreviewFrames::Frame> PreviewFrames::take() {
  if (stopped_) return std::nullopt;
  if (!instanceFrames_->drained()) return instanceFrames_->tryPop();
  return closingFrames_->tryPop();
}

bool PreviewFrames::done() const {
  return stopped_ || (instanceFrames_->drained() && closingFrames_->drained());
}

QString PreviewFrames::failure() const {
  std::lock_guard lock(mutex_);
  return failure_;
}

}  // namespace solvane
