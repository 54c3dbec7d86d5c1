#include "render/album_writer.h"

#include <system_error>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/mathematics.h>
}

#include "model/error.h"
#include "render/sound_track.h"

namespace solvane {
namespace {

std::filesystem::path temporaryName(const std::filesystem::path& target) {
  std::filesystem::path temporary = target;
  temporary += ".part";
  return temporary;
}

}  // namespace

AlbumWriter::AlbumWriter(const OutputProfile& profile, const std::filesystem::path& target,
                         std::vector<QString> soundFiles, bool truncateSound)
    : profile_(profile), target_(target), temporary_(temporaryName(target)), truncateSound_(truncateSound) {
  if (profile_.kind == OutputKind::Pictures) {
    pictures_ = std::make_unique<PictureFileSink>(target_);
    video_.emplace(Encoder::forVideo(profile_.video, false));
    video_->attach(pictures_.get(), 0);
    return;
  }
  muxer_ = std::make_unique<Muxer>(temporary_, target_, profile_.muxer, profile_.muxRate, profile_.fastStart);
  const bool globalHeader = muxer_->needsGlobalHeader();
  video_.emplace(Encoder::forVideo(profile_.video, globalHeader));
  video_->attach(muxer_.get(), muxer_->addStream(*video_));
  if (profile_.audio && !soundFiles.empty()) {
    audio_.emplace(Encoder::forAudio(*profile_.audio, globalHeader));
    audio_->attach(muxer_.get(), muxer_->addStream(*audio_));
    sound_ = std::make_unique<SoundTrack>(std::move(soundFiles), profile_.audio->sampleRate,
                                          audio_->context()->sample_fmt, audio_->frameSize());
  }
  muxer_->start();
}

AlbumWriter::~AlbumWriter() {
  if (!finished_) discard();
}

void AlbumWriter::addPicture(const AVFrame* picture, int repeats) {
  av::FramePtr frame(av_frame_clone(picture));
  if (!frame) throw Error(std::string("out of memory (frame)"));
  for (int r = 0; r < repeats; ++r) {
    frame->pts = videoFrames_++;
    video_->encode(frame.get());
  }
  if (sound_) writeSoundUntil(videoEndInSamples());
}

long long AlbumWriter::videoEndInSamples() const {
  return av_rescale(videoFrames_, static_cast<long long>(profile_.audio->sampleRate) * profile_.video.rateDen,
                    profile_.video.rateNum);
}

void AlbumWriter::writeSoundUntil(long long samples) {
  while (audioSamples_ < samples) {
    av::FramePtr frame = sound_->nextFrame();
    frame->pts = audioSamples_;
    audioSamples_ += frame->nb_samples;
    audio_->encode(frame.get());
  }
}

void AlbumWriter::writeBlackUntilSoundEnds() {
  // A sound-only album still needs pictures for players to show: black, as long as the songs.
  av::FramePtr black = av::makeFrame();
  black->width = profile_.video.width;
  black->height = profile_.video.height;
  black->format = video_->context()->pix_fmt;
  if (av_frame_get_buffer(black.get(), 0) < 0) throw Error(std::string("out of memory (frame)"));
  const ptrdiff_t lines[4] = {black->linesize[0], black->linesize[1], black->linesize[2], black->linesize[3]};
  av_image_fill_black(black->data, lines, static_cast<AVPixelFormat>(black->format), AVCOL_RANGE_MPEG,
                      black->width, black->height);
  while (!sound_->songsEnded()) addPicture(black.get(), 1);
}

void AlbumWriter::finish() {
  if (sound_ && videoFrames_ == 0) writeBlackUntilSoundEnds();
  video_->flush();
  if (sound_) {
    // The sound runs to the end of the pictures; without truncation longer songs play on.
    writeSoundUntil(videoEndInSamples());
    if (!truncateSound_) {
      while (!sound_->songsEnded()) writeSoundUntil(audioSamples_ + 1);
    }
    audio_->flush();
  }
  if (muxer_) {
    muxer_->finish();
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
      throw Error(QString("%1: cannot give the album its name (%2)")
                      .arg(QString::fromStdString(target_.string()), QString::fromStdString(error.message())));
    }
  }
  finished_ = true;
}

void AlbumWriter::discard() noexcept {
  std::error_code ignored;
  if (muxer_) {
    muxer_.reset();  // closes the file before it is removed
    std::filesystem::remove(temporary_, ignored);
  }
  if (pictures_) {
    for (const auto& file : pictures_->written()) std::filesystem::remove(file, ignored);
  }
  finished_ = true;
}

}  // namespace solvane
