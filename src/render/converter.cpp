#include "render/converter.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

#include <QDir>
#include <QImageReader>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

#include "model/error.h"
#include "render/album_writer.h"
#include "render/bounded_queue.h"
#include "render/output_profile.h"
#include "render/picture_scaler.h"
#include "render/sound_track.h"

namespace solvane {
namespace {

long long nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string handoffKey(const QString& path) {
  return QDir::cleanPath(QDir::fromNativeSeparators(path)).toStdString();
}

std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

QString fileName(const QString& path) { return QDir::fromNativeSeparators(path).section('/', -1); }

// How many output frames picture `index` takes so that 25 pictures fill one second whatever the
// output rate: picture i covers output frames ceil(i·r) … ceil((i+1)·r)−1 with r = rate / 25.
int repeatsFor(long long index, const VideoSettings& video, bool keepDuration) {
  if (!keepDuration) return 1;
  const long long num = video.rateNum;
  const long long den = video.rateDen * 25LL;
  const auto ceilDiv = [](long long a, long long b) { return (a + b - 1) / b; };
  return static_cast<int>(ceilDiv((index + 1) * num, den) - ceilDiv(index * num, den));
}

}  // namespace

// --- FrameHandoff ------------------------------------------------------------------------------

std::shared_ptr<FrameHandoff> FrameHandoff::shared() {
  static const std::shared_ptr<FrameHandoff> instance = std::make_shared<FrameHandoff>();
  return instance;
}

void FrameHandoff::publish(const QString& path, const QImage& picture) {
  std::lock_guard lock(mutex_);
  pictures_[handoffKey(path)] = picture;
}

std::optional<QImage> FrameHandoff::latest(const QString& path) const {
  std::lock_guard lock(mutex_);
  const auto found = pictures_.find(handoffKey(path));
  if (found == pictures_.end()) return std::nullopt;
  return found->second;
}

void FrameHandoff::withdraw(const QString& path) {
  std::lock_guard lock(mutex_);
  pictures_.erase(handoffKey(path));
}

void FrameHandoff::clear() {
  std::lock_guard lock(mutex_);
  pictures_.clear();
}

// --- MediaList ---------------------------------------------------------------------------------

bool MediaList::add(const QString& path, int kind, int, int) {
  if (kind != kListPicture && kind != kListSound) return false;
  entries_.push_back(Entry{path, kind});
  return true;
}

std::optional<QString> MediaList::getName(int index) const {
  if (index < 0 || index >= count()) return std::nullopt;
  return entries_[static_cast<size_t>(index)].path;
}

long long MediaList::getFrameCount() const {
  long long frames = 0;
  for (const Entry& e : entries_) frames += e.kind == kListPicture ? 1 : 0;
  return frames;
}

long long MediaList::getSampleCount() const {
  long long samples = 0;
  for (const Entry& e : entries_) {
    if (e.kind == kListSound) samples += soundFileSamples(e.path);
  }
  return samples;
}

// --- One conversion ----------------------------------------------------------------------------

// The work of one convert() call. The caller's thread asks the host for every entry, reads its
// picture and runs the video function; a scaler thread and an encoder thread follow behind two
// short queues, so rendering, scaling and encoding overlap.
class ConversionRun {
 public:
  explicit ConversionRun(Converter& c) : c_(c) {}
  // Every normal end has joined the threads already; this is the way out when a callback
  // threw, and then the queued frames are of no use.
  ~ConversionRun() {
    toScale_.cancel();
    toEncode_.cancel();
    stopPipeline();
  }

  bool execute();

 private:
  struct Picture {
    long long index;
    QImage image;
  };
  struct Scaled {
    av::FramePtr frame;
    int repeats;
  };

  std::vector<QString> collectSongs();
  bool checkSongs(std::vector<QString>& songs);
  QImage readPicture(const QString& path);
  void openWriter(const QImage& first, std::vector<QString> songs);
  void startPipeline();
  void stopPipeline();
  void scaleLoop();
  void encodeLoop();
  void pipelineFailed(const QString& text);
  bool pushPicture(long long index, const QImage& picture);
  bool finishAlbum();
  // Reports an error through the error callback; returns the action the host chose.
  int report(int code, const QString& text);
  bool endAborted();
  // Stops everything, removes what was written and reports `text` unless it already went out.
  bool endFailed(int code, const QString& text, bool reported = false);
  std::optional<QString> failure();
  void progress(int status, int percent = 0);

  Converter& c_;
  OutputProfile profile_;
  std::unique_ptr<AlbumWriter> writer_;
  std::unique_ptr<PictureScaler> scaler_;
  BoundedQueue<Picture> toScale_{4};
  BoundedQueue<Scaled> toEncode_{4};
  std::thread scaleThread_;
  std::thread encodeThread_;
  std::mutex failureMutex_;
  std::optional<QString> failure_;
  QImage previous_;
};

std::vector<QString> ConversionRun::collectSongs() {
  std::vector<QString> songs;
  if (!c_.audioSource_) return songs;
  for (int i = 0;; ++i) {
    AudioSource source;
    c_.audioSource_(source, i);
    if (source.isFinished()) break;
    songs.push_back(source.path());
  }
  return songs;
}

bool ConversionRun::checkSongs(std::vector<QString>& songs) {
  std::vector<QString> usable;
  for (const QString& song : songs) {
    try {
      checkSoundFile(song);
      usable.push_back(song);
    } catch (const Error& e) {
      if (report(mcl_error::kSound, e.message()) != mcl_action::kContinue) return false;
    }
  }
  songs = std::move(usable);
  return true;
}

QImage ConversionRun::readPicture(const QString& path) {
  if (c_.handoff_) {
    if (std::optional<QImage> published = c_.handoff_->latest(path)) return *published;
  }
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);  // camera photographs come upright, as viewers show them
  QImage picture = reader.read();
  if (picture.isNull()) {
    throw Error(QString("%1: cannot read the picture (%2)").arg(fileName(path), reader.errorString()));
  }
  return picture;
}

void ConversionRun::openWriter(const QImage& first, std::vector<QString> songs) {
  const int width = c_.width_ > 0 ? c_.width_ : first.width();
  const int height = c_.height_ > 0 ? c_.height_ : first.height();
  profile_ = chooseProfile(c_.preset_, c_.standard_, c_.videoFile_, width, height);
  writer_ = std::make_unique<AlbumWriter>(profile_, toPath(c_.videoFile_), std::move(songs), c_.truncateAudio_);
  scaler_ = std::make_unique<PictureScaler>(profile_.video);
}

void ConversionRun::startPipeline() {
  scaleThread_ = std::thread([this] { scaleLoop(); });
  encodeThread_ = std::thread([this] { encodeLoop(); });
}

void ConversionRun::stopPipeline() {
  toScale_.close();
  if (scaleThread_.joinable()) scaleThread_.join();
  if (encodeThread_.joinable()) encodeThread_.join();
}

void ConversionRun::scaleLoop() {
  try {
    while (std::optional<Picture> picture = toScale_.pop()) {
      Scaled scaled{scaler_->scale(picture->image), repeatsFor(picture->index, profile_.video, c_.keepDuration_)};
      if (!toEncode_.push(std::move(scaled))) return;
    }
  } catch (const Error& e) {
    pipelineFailed(e.message());
  }
  toEncode_.close();
}

void ConversionRun::encodeLoop() {
  try {
    while (std::optional<Scaled> scaled = toEncode_.pop()) {
      writer_->addPicture(scaled->frame.get(), scaled->repeats);
      c_.framesDone_ += 1;
      c_.samplesDone_ = writer_->samplesWritten();
    }
  } catch (const Error& e) {
    pipelineFailed(e.message());
  }
}

void ConversionRun::pipelineFailed(const QString& text) {
  {
    std::lock_guard lock(failureMutex_);
    if (!failure_) failure_ = text;
  }
  toScale_.cancel();
  toEncode_.cancel();
}

bool ConversionRun::pushPicture(long long index, const QImage& picture) {
  if (!writer_) return false;
  return toScale_.push(Picture{index, picture});
}

int ConversionRun::report(int code, const QString& text) {
  c_.errorCode_ = code;
  c_.errorText_ = text;
  int action = mcl_action::kContinue;
  if (c_.error_) c_.error_(code, action);
  return action;
}

void ConversionRun::progress(int status, int percent) {
  if (c_.progress_) c_.progress_(status, c_.framesDone_, c_.samplesDone_, percent);
}

bool ConversionRun::endAborted() {
  toScale_.cancel();
  toEncode_.cancel();
  stopPipeline();
  const bool hadFile = writer_ != nullptr;
  if (writer_) writer_->discard();
  c_.errorCode_ = mcl_error::kAborted;
  c_.errorText_ = hadFile ? QString("Conversion stopped; the unfinished album was removed: %1").arg(c_.videoFile_)
                          : QString("Conversion stopped before anything was written.");
  return false;
}

bool ConversionRun::endFailed(int code, const QString& text, bool reported) {
  toScale_.cancel();
  toEncode_.cancel();
  stopPipeline();
  const bool hadFile = writer_ != nullptr;
  if (writer_) writer_->discard();
  // The removal is part of the text so that the log says what is left on disk.
  const QString full = hadFile ? text + " - the unfinished album was removed" : text;
  if (reported) {
    c_.errorCode_ = code;
    c_.errorText_ = full;
  } else {
    report(code, full);
  }
  return false;
}

std::optional<QString> ConversionRun::failure() {
  std::lock_guard lock(failureMutex_);
  return failure_;
}

bool ConversionRun::finishAlbum() {
  toScale_.close();
  stopPipeline();
  if (std::optional<QString> text = failure()) return endFailed(mcl_error::kOutput, *text);
  if (c_.abortRequested_) return endAborted();
  progress(mcl_status::kMultiplex, 0);
  try {
    writer_->finish();
  } catch (const Error& e) {
    return endFailed(mcl_error::kOutput, e.message());
  }
  c_.samplesDone_ = writer_->samplesWritten();
  progress(mcl_status::kMultiplex, 100);
  return true;
}

bool ConversionRun::execute() {
  progress(mcl_status::kPreparing);
  if (c_.videoFile_.isEmpty()) return endFailed(mcl_error::kSettings, "no output file was named");
  bool withSound = false;
  try {
    // The kind is known before any picture is read; only its size waits for the first one.
    withSound = chooseProfile(c_.preset_, c_.standard_, c_.videoFile_, 16, 16).audio.has_value();
  } catch (const Error& e) {
    return endFailed(mcl_error::kSettings, e.message());
  }
  std::vector<QString> songs = collectSongs();
  if (!withSound) songs.clear();  // picture sequences carry no sound
  if (!checkSongs(songs)) return endFailed(mcl_error::kSound, c_.errorText_, true);

  long long index = 0;
  for (;; ++index) {
    if (c_.abortRequested_) return endAborted();
    if (std::optional<QString> text = failure()) return endFailed(mcl_error::kOutput, *text);
    VideoSource source;
    if (c_.videoSource_) c_.videoSource_(source, static_cast<int>(index));
    if (source.isFinished()) break;
    QImage picture;
    try {
      picture = readPicture(source.path());
    } catch (const Error& e) {
      // Going on shows the previous picture again in place of the unreadable one.
      if (report(mcl_error::kPicture, e.message()) != mcl_action::kContinue || previous_.isNull()) {
        return endFailed(mcl_error::kPicture, e.message(), true);
      }
      picture = previous_;
    }
    if (!writer_) {
      try {
        openWriter(picture, songs);
      } catch (const Error& e) {
        return endFailed(mcl_error::kOutput, e.message());
      }
      startPipeline();
    }
    if (c_.videoFunc_) c_.videoFunc_(static_cast<int>(index), picture);
    if (c_.audioFunc_) c_.audioFunc_();
    previous_ = picture;
    if (c_.abortRequested_) return endAborted();
    if (!pushPicture(index, picture)) return endFailed(mcl_error::kOutput, failure().value_or("the encoder stopped"));
    if (index % 25 == 24) progress(mcl_status::kFrame);
  }

  if (!writer_) {
    if (songs.empty()) return endFailed(mcl_error::kSettings, "nothing to convert: no pictures and no sound");
    // Sound without pictures: a black picture carries the songs.
    QImage black(c_.width_ > 0 ? c_.width_ : 1280, c_.height_ > 0 ? c_.height_ : 720, QImage::Format_RGB32);
    black.fill(Qt::black);
    try {
      openWriter(black, songs);
    } catch (const Error& e) {
      return endFailed(mcl_error::kOutput, e.message());
    }
  }
  return finishAlbum();
}

// --- Converter ---------------------------------------------------------------------------------

Converter::Converter() : handoff_(FrameHandoff::shared()) {
  // Problems reach the user through the error callback; libav's own chatter stays quiet.
  static std::once_flag quiet;
  std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
}
Converter::~Converter() = default;

void Converter::setFormatPreset(FormatPreset format, TvStandard standard) {
  preset_ = format;
  standard_ = standard;
}

void Converter::setVideoFormat(int width, int height, int bitsPerPixel) {
  // Pictures are always handed over as 32-bit; other depths are not ours to produce.
  if (bitsPerPixel != 32) return;
  width_ = width;
  height_ = height;
}

bool Converter::convert() {
  if (converting_) {
    // A callback calling back into convert() would share the running album's state.
    errorText_ = "a conversion is already running";
    errorCode_ = mcl_error::kSettings;
    return false;
  }
  errorCode_ = mcl_error::kNone;
  errorText_.clear();
  framesDone_ = 0;
  samplesDone_ = 0;
  abortRequested_ = false;
  startMs_ = nowMs();
  endMs_ = 0;
  converting_ = true;
  bool ok = false;
  try {
    ConversionRun run(*this);
    ok = run.execute();
  } catch (...) {
    // A callback's exception goes on to the host; the partial album went with the run.
    endMs_ = nowMs();
    converting_ = false;
    throw;
  }
  endMs_ = nowMs();
  converting_ = false;
  if (ok && progress_) progress_(mcl_status::kElapsed, framesDone_, samplesDone_, 100);
  return ok;
}

long long Converter::getElapsedTime() const {
  if (startMs_ == 0) return 0;
  return (endMs_ != 0 ? endMs_.load() : nowMs()) - startMs_;
}

long long Converter::getRemainingTime(long long totalFrames, long long) const {
  const long long done = framesDone_;
  if (done <= 0 || totalFrames <= done) return 0;
  return getElapsedTime() * (totalFrames - done) / done;
}

QString Converter::makeTimeStr(long long timeValue) {
  const long long seconds = std::max(0LL, timeValue) / 1000;
  return QString("%1:%2:%3")
      .arg(seconds / 3600, 2, 10, QChar('0'))
      .arg(seconds / 60 % 60, 2, 10, QChar('0'))
      .arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace solvane
