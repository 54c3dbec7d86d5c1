#pragma once
// Writes one album from encoder-ready pictures and the sound list: opens the encoders and the
// container (or the picture files), keeps the sound in step with the pictures, and on success
// moves the finished file to the album's name. Until then the album lives under a temporary
// name beside the target; discard() removes everything this writer made.
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

#include "render/av_ptr.h"
#include "render/media_encoder.h"
#include "render/output_profile.h"

namespace solvane {

class SoundTrack;

class AlbumWriter {
 public:
  AlbumWriter(const OutputProfile& profile, const std::filesystem::path& target,
              std::vector<QString> soundFiles, bool truncateSound);
  ~AlbumWriter();
  AlbumWriter(const AlbumWriter&) = delete;
  AlbumWriter& operator=(const AlbumWriter&) = delete;

  // Encodes `picture` as `repeats` output frames, then the sound up to the same time.
  void addPicture(const AVFrame* picture, int repeats);
  // Flushes the encoders, finishes the file and gives it the album's name. Throws Error.
  void finish();
  // Removes whatever was written. Never throws.
  void discard() noexcept;

  long long framesWritten() const { return videoFrames_; }
  long long samplesWritten() const { return audioSamples_; }
  const std::filesystem::path& temporaryFile() const { return temporary_; }

 private:
  void writeSoundUntil(long long samples);
  long long videoEndInSamples() const;
  void writeBlackUntilSoundEnds();

  OutputProfile profile_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  bool truncateSound_;
  std::unique_ptr<Muxer> muxer_;
  std::unique_ptr<PictureFileSink> pictures_;
  std::optional<Encoder> video_;
  std::optional<Encoder> audio_;
  std::unique_ptr<SoundTrack> sound_;
  long long videoFrames_ = 0;
  long long audioSamples_ = 0;
  bool finished_ = false;
};

}  // namespace solvane
