#pragma once
// The media converter: turns a list of frame pictures and a list of sound files into the album
// file (MPEG for VCD/SVCD/DVD, AVI, MP4, or a numbered picture sequence).
//
// Calling pattern (one album):
//   Converter c;                           // create
//   c.onVideoSource(...); c.onVideoFunc(...); c.onAudioSource(...); c.onAudioFunc(...);
//   c.onProgress(...); c.onError(...);     // the six callbacks
//   FrameList frames; frames.add(path, kListPicture);   // one entry per frame
//   SoundList sounds; sounds.add(path, kListSound);     // one entry per song
//   c.setFormatPreset(FormatPreset::Dvd, TvStandard::Pal);  // MPEG kinds only
//   c.setKeepDuration(true); c.setTruncateAudioToVideo(true);
//   c.setVideoFormat(1920, 1080, 32);
//   c.setVideoFileName(out); c.setAudioFileName(out);
//   c.convert();                           // returns when done, failed or aborted
//   if (c.getError() != 0) log(c.getErrorStr());
//
// Every callback runs on the thread that called convert(), during convert(). Encoding runs on
// worker threads behind a short queue, so the next picture is rendered while this one encodes.
//
// Frame order contract: for entry i the converter calls the video source callback (which names
// the entry's path through VideoSource::setFile or ends the list with finished()), then reads the
// picture of that path, then calls the video function. Whatever the video function publishes
// under the path therefore becomes the picture of entry i + 1.
//
// Pictures travel in memory: a renderer publishes each finished frame in a FrameHandoff under
// the frame bitmap's path; an entry whose path has a published picture is taken from there, any
// other entry is read from disk (JPEG, BMP, PNG).
//
// Output kind: a format preset chooses VCD, SVCD or DVD (PAL or NTSC). Without a preset the
// ending of the video file name decides: ".avi" gives AVI (MPEG-4 Part 2 + MP3); ".mp4" gives
// MP4 (H.264 + AAC, index at the front, 25 frames per second whatever the standard); ".jpg",
// ".bmp", ".tga", ".pcx" give a numbered picture sequence ("01.JPG", "02.JPG", ... in the file's
// folder, numbered on from the first file's number, no sound).
//
// An album is written under a temporary name beside the target and renamed when everything
// went well; after an error or an abort nothing is left under the album's name.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QImage>
#include <QString>

namespace solvane {

// Entry kinds of the lists (the values the host passes with every add).
inline constexpr int kListPicture = 8;
inline constexpr int kListSound = 16;

enum class FormatPreset { Vcd = 0, Svcd = 1, Dvd = 2 };
enum class TvStandard { Pal = 0, Ntsc = 1 };

// Error codes of getError(). 0 means no error.
namespace mcl_error {
inline constexpr int kNone = 0;
inline constexpr int kOutput = 1;      // output cannot be created or written (folder, disk full)
inline constexpr int kSound = 2;       // a sound file cannot be opened or decoded
inline constexpr int kPicture = 3;     // a picture cannot be read
inline constexpr int kEncoder = 4;     // reserved: encoder failures are reported as kOutput
inline constexpr int kAborted = 5;     // abort() stopped the conversion (not reported as an error
                                       // through the error callback; getErrorStr says what was removed)
inline constexpr int kSettings = 6;    // nothing to write to, bad frame size, ...
}  // namespace mcl_error

// Action values the error callback may store. Any value other than kContinue stops the
// conversion; errors that leave nothing to continue with (output failures) always stop it.
namespace mcl_action {
inline constexpr int kContinue = 0;  // e.g. an undecodable song is replaced by silence
inline constexpr int kStop = 2;
}  // namespace mcl_action

// Progress status values handed to the progress callback.
namespace mcl_status {
inline constexpr int kElapsed = 0;      // elapsed time report
inline constexpr int kPreparing = 1;    // before the first frame
inline constexpr int kReducing = 2;     // palette reduction (not used by our encoders)
inline constexpr int kFrame = 3;        // frame / sample counts while encoding
inline constexpr int kMultiplex = 4;    // finishing the file, percent done
}  // namespace mcl_status

// Pictures handed from the renderer to the converter without a disk round trip. Thread-safe.
// A published picture stays until it is replaced or withdrawn, like a file that is overwritten.
class FrameHandoff {
 public:
  // The one handoff of the process: the render driver publishes here and every Converter reads
  // from here unless given another one.
  static std::shared_ptr<FrameHandoff> shared();

  // Stores `picture` under `path` (compared after cleaning the path), replacing an earlier one.
  void publish(const QString& path, const QImage& picture);
  // The latest picture published under `path`, if any.
  std::optional<QImage> latest(const QString& path) const;
  void withdraw(const QString& path);
  void clear();

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::string, QImage> pictures_;
};

// The frame list (entries of kind 8) or the sound list (entries of kind 16).
class MediaList {
 public:
  // Appends an entry; returns false when `kind` is not a kind this list holds.
  bool add(const QString& path, int kind, int reserved1 = 0, int reserved2 = 0);
  // Entry i's path, or nothing when i is past the end.
  std::optional<QString> getName(int index) const;
  int count() const { return static_cast<int>(entries_.size()); }
  void clear() { entries_.clear(); }

  // Frame list: one frame per picture entry.
  long long getFrameCount() const;
  // Sound list: total samples of all sound entries at their own sample rates; files that
  // cannot be probed count 0 (the conversion reports them).
  long long getSampleCount() const;

 private:
  struct Entry {
    QString path;
    int kind = 0;
  };
  std::vector<Entry> entries_;
};
using FrameList = MediaList;
using SoundList = MediaList;

// Handed to the source callbacks: name the entry's file, or say the list has ended.
class MediaSource {
 public:
  void setFile(const QString& path) {
    path_ = path;
    finished_ = false;
  }
  void finished() {
    path_.clear();
    finished_ = true;
  }
  const QString& path() const { return path_; }
  bool isFinished() const { return finished_; }

 private:
  QString path_;
  bool finished_ = true;
};
using VideoSource = MediaSource;
using AudioSource = MediaSource;

class Converter {
 public:
  // Callbacks; all run on the thread inside convert().
  using VideoSourceFunc = std::function<void(VideoSource& source, int index)>;
  // Once per frame, after entry `index`'s picture was read; `picture` is that picture as read
  // (full size, before scaling), for previews.
  using VideoFunc = std::function<void(int index, const QImage& picture)>;
  using AudioSourceFunc = std::function<void(AudioSource& source, int index)>;
  using AudioFunc = std::function<void()>;
  using ProgressFunc = std::function<void(int status, long long frame, long long sample, int percent)>;
  // `action` starts at mcl_action::kContinue; store mcl_action::kStop to stop the conversion.
  using ErrorFunc = std::function<void(int code, int& action)>;

  Converter();
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  void assignVideoSource(VideoSourceFunc f) { videoSource_ = std::move(f); }
  void assignVideoFunc(VideoFunc f) { videoFunc_ = std::move(f); }
  void assignAudioSource(AudioSourceFunc f) { audioSource_ = std::move(f); }
  void assignAudioFunc(AudioFunc f) { audioFunc_ = std::move(f); }
  void assignProgress(ProgressFunc f) { progress_ = std::move(f); }
  void assignError(ErrorFunc f) { error_ = std::move(f); }

  void setFrameHandoff(std::shared_ptr<FrameHandoff> handoff) { handoff_ = std::move(handoff); }
  const std::shared_ptr<FrameHandoff>& frameHandoff() const { return handoff_; }

  void setFormatPreset(FormatPreset format, TvStandard standard);
  // On: NTSC output repeats pictures evenly so the album keeps the 25-per-second length.
  // Off: every picture is one output frame.
  void setKeepDuration(bool on) { keepDuration_ = on; }
  void setTruncateAudioToVideo(bool on) { truncateAudio_ = on; }
  // Output frame size; `bitsPerPixel` must be 32. Without this call the first picture's size is
  // used.
  void setVideoFormat(int width, int height, int bitsPerPixel);
  void setVideoFileName(const QString& path) { videoFile_ = path; }
  // The sound always goes into the video file; hosts pass the same path here.
  void setAudioFileName(const QString& path) { audioFile_ = path; }

  // Runs the whole conversion; returns true when the album was written. An exception thrown by
  // a callback ends the conversion (nothing is left under the album's name) and propagates.
  bool convert();
  // Thread-safe; also callable from inside a callback. convert() returns within one frame.
  void abort() { abortRequested_ = true; }
  bool isConverting() const { return converting_; }

  int getError() const { return errorCode_; }
  QString getErrorStr() const { return errorText_; }

  // Time values are milliseconds.
  long long getElapsedTime() const;
  // Estimate from the work done so far and the totals of the lists.
  long long getRemainingTime(long long totalFrames, long long totalSamples) const;
  // "hh:mm:ss".
  static QString makeTimeStr(long long timeValue);

  // Frames and sound samples handed to the encoders so far in the current/last conversion.
  long long framesDone() const { return framesDone_; }
  long long samplesDone() const { return samplesDone_; }

 private:
  friend class ConversionRun;

  VideoSourceFunc videoSource_;
  VideoFunc videoFunc_;
  AudioSourceFunc audioSource_;
  AudioFunc audioFunc_;
  ProgressFunc progress_;
  ErrorFunc error_;
  std::shared_ptr<FrameHandoff> handoff_;

  std::optional<FormatPreset> preset_;
  TvStandard standard_ = TvStandard::Pal;
  bool keepDuration_ = false;
  bool truncateAudio_ = false;
  int width_ = 0;
  int height_ = 0;
  QString videoFile_;
  QString audioFile_;

  std::atomic<bool> abortRequested_{false};
  std::atomic<bool> converting_{false};
  int errorCode_ = 0;
  QString errorText_;
  std::atomic<long long> framesDone_{0};
  std::atomic<long long> samplesDone_{0};
  std::atomic<long long> startMs_{0};
  std::atomic<long long> endMs_{0};
};

}  // namespace solvane
