#pragma once
// Playing one music file for the previews. The windows poll the position on their clock
// and draw what belongs to it, so what they show follows the music, not a count of timer
// ticks. The desktop plays through the media layer; tests drive a scripted clock.
#include <functional>
#include <utility>

#include <QString>

namespace solvane {

class Playback {
 public:
  virtual ~Playback() = default;

  // Opens a file, stopped at 0. Opening may finish later (the length then reads 0 until
  // it is known); a file that cannot be played sets error().
  virtual void open(const QString& path) = 0;
  // Plays from where it stands; at the end it starts again from 0.
  virtual void play() = 0;
  // Holds the position; the next play() goes on from there.
  virtual void pause() = 0;
  // Stops and returns to 0.
  virtual void stop() = 0;
  virtual void seek(long long ms) = 0;

  virtual QString path() const = 0;
  virtual long long positionMs() const = 0;
  virtual long long lengthMs() const = 0;
  virtual bool playing() const = 0;
  // The music has played to its end (until the next play(), stop() or open()).
  virtual bool ended() const = 0;
  // Why the open file cannot be played; empty while all is well.
  virtual QString error() const = 0;
};

// A player whose clock moves only when told: the previews' tests script the music with it.
class ScriptedPlayback : public Playback {
 public:
  // The length every opened file reports; a path in `unplayable` fails to open.
  explicit ScriptedPlayback(long long lengthMs = 0) : length_(lengthMs) {}
  void setLength(long long ms) { length_ = ms; }
  // From now on each opened file reports the length `lengthOf` gives it (the real one, for
  // pictures of the windows that show the true total time).
  void setLengthOf(std::function<long long(const QString&)> lengthOf) {
    lengthOf_ = std::move(lengthOf);
  }
  void setUnplayable(const QString& path) { unplayable_ = path; }
  // Moves the clock on by `ms` while playing; at the length the music ends.
  void advance(long long ms);

  void open(const QString& path) override;
  void play() override;
  void pause() override { playing_ = false; }
  void stop() override;
  void seek(long long ms) override;

  QString path() const override { return path_; }
  long long positionMs() const override { return position_; }
  long long lengthMs() const override { return error_.isEmpty() ? length_ : 0; }
  bool playing() const override { return playing_; }
  bool ended() const override { return ended_; }
  QString error() const override { return error_; }

 private:
  long long length_;
  std::function<long long(const QString&)> lengthOf_;
  QString unplayable_;
  QString path_;
  QString error_;
  long long position_ = 0;
  bool playing_ = false;
  bool ended_ = false;
};

}  // namespace solvane
