#pragma once
// The album's sound: the songs of the sound list decoded one after another, resampled to the
// output's rate in stereo and cut into the frames the sound encoder takes. The songs follow
// each other sample for sample; after the last one the track goes on in silence for as long as
// it is asked for more.
#include <memory>
#include <vector>

#include <QString>

#include "render/av_ptr.h"

namespace solvane {

// Opens `path` and decodes its first sound; throws Error naming the file when it cannot.
void checkSoundFile(const QString& path);
// Samples of the file at its own rate (0 when it cannot be read).
long long soundFileSamples(const QString& path);

class SoundTrack {
 public:
  // `sampleFormat` is an AVSampleFormat value; `frameSize` the samples per frame handed out.
  SoundTrack(std::vector<QString> files, int sampleRate, int sampleFormat, int frameSize);
  ~SoundTrack();
  SoundTrack(const SoundTrack&) = delete;
  SoundTrack& operator=(const SoundTrack&) = delete;

  // The next frameSize samples, stereo; silence once every song has been used up.
  // Throws Error when a song cannot be read.
  av::FramePtr nextFrame();
  // True once every song has been decoded and handed out.
  bool songsEnded() const;
  int frameSize() const { return frameSize_; }

 private:
  class SongDecoder;
  void fillFifo(int samples);

  std::vector<QString> files_;
  size_t nextFile_ = 0;
  int sampleRate_;
  int sampleFormat_;
  int frameSize_;
  std::unique_ptr<SongDecoder> song_;
  av::AudioFifoPtr fifo_;
};

}  // namespace solvane
