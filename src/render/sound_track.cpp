#include "render/sound_track.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "model/error.h"

namespace solvane {
namespace {

QString baseName(const QString& path) { return path.section('/', -1).section('\\', -1); }

[[noreturn]] void failSong(const QString& path, const QString& reason) {
  throw Error(QString("%1: the sound cannot be decoded (%2)").arg(baseName(path), reason));
}

struct OpenedSong {
  av::InputFormatPtr format;
  av::CodecContextPtr decoder;
  int stream = -1;
};

OpenedSong openSong(const QString& path) {
  OpenedSong song;
  AVFormatContext* raw = nullptr;
  const QByteArray name = path.toUtf8();
  int result = avformat_open_input(&raw, name.constData(), nullptr, nullptr);
  if (result < 0) failSong(path, av::errorText(result));
  song.format.reset(raw);
  result = avformat_find_stream_info(raw, nullptr);
  if (result < 0) failSong(path, av::errorText(result));
  const AVCodec* codec = nullptr;
  song.stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (song.stream < 0 || !codec) failSong(path, "no sound in the file");
  song.decoder.reset(avcodec_alloc_context3(codec));
  if (!song.decoder) throw Error(std::string("out of memory (sound decoder)"));
  avcodec_parameters_to_context(song.decoder.get(), raw->streams[song.stream]->codecpar);
  result = avcodec_open2(song.decoder.get(), codec, nullptr);
  if (result < 0) failSong(path, av::errorText(result));
  return song;
}

// Songs start and end with a ramp this long, so that a song cut off mid-wave does not click
// against the next one or the silence after it.
constexpr double kRampSeconds = 0.005;

// Multiplies samples [begin, begin + count) of every channel by gain(i), i counted from begin.
template <typename Gain>
void applyGain(uint8_t** data, AVSampleFormat format, int begin, int count, Gain gain) {
  constexpr int kChannels = 2;
  for (int i = 0; i < count; ++i) {
    const float g = gain(i);
    const int n = begin + i;
    for (int ch = 0; ch < kChannels; ++ch) {
      switch (format) {
        case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(data[ch])[n] *= g; break;
        case AV_SAMPLE_FMT_FLT: reinterpret_cast<float*>(data[0])[n * kChannels + ch] *= g; break;
        case AV_SAMPLE_FMT_S16P: {
          auto& v = reinterpret_cast<int16_t*>(data[ch])[n];
          v = static_cast<int16_t>(v * g);
          break;
        }
        case AV_SAMPLE_FMT_S16: {
          auto& v = reinterpret_cast<int16_t*>(data[0])[n * kChannels + ch];
          v = static_cast<int16_t>(v * g);
          break;
        }
        case AV_SAMPLE_FMT_S32P: {
          auto& v = reinterpret_cast<int32_t*>(data[ch])[n];
          v = static_cast<int32_t>(v * double(g));
          break;
        }
        default: return;  // formats no sound encoder of ours takes
      }
    }
  }
}

// Ramps down the last samples of what is queued: the end of the song that just finished.
void fadeOutTail(AVAudioFifo* fifo, AVSampleFormat format, int rampLength) {
  const int size = av_audio_fifo_size(fifo);
  if (size == 0) return;
  uint8_t** buffer = nullptr;
  if (av_samples_alloc_array_and_samples(&buffer, nullptr, 2, size, format, 0) < 0) {
    throw Error(std::string("out of memory (sound buffer)"));
  }
  av_audio_fifo_read(fifo, reinterpret_cast<void**>(buffer), size);
  const int count = std::min(size, rampLength);
  applyGain(buffer, format, size - count, count, [&](int i) { return float(count - i - 0.5) / count; });
  av_audio_fifo_write(fifo, reinterpret_cast<void**>(buffer), size);
  av_freep(&buffer[0]);
  av_freep(&buffer);
}

}  // namespace

// Decodes one song and feeds it, resampled, into the track's FIFO. The resampler is rebuilt
// whenever the decoded sound changes rate, channels or sample format, after draining the old
// one, so nothing is lost at the change.
class SoundTrack::SongDecoder {
 public:
  SongDecoder(const QString& path, int outRate, AVSampleFormat outFormat)
      : path_(path), song_(openSong(path)), outRate_(outRate), outFormat_(outFormat),
        packet_(av::makePacket()), frame_(av::makeFrame()) {}

  // Decodes until at least one decoded frame went into `fifo`; false once the song has ended
  // and everything, including the resampler's delay, is in the FIFO.
  bool decodeSome(AVAudioFifo* fifo) {
    while (!ended_) {
      int result = avcodec_receive_frame(song_.decoder.get(), frame_.get());
      if (result == 0) {
        push(fifo, frame_.get());
        av_frame_unref(frame_.get());
        return true;
      }
      if (result == AVERROR_EOF) {
        drainResampler(fifo);
        ended_ = true;
        return false;
      }
      if (result != AVERROR(EAGAIN)) failSong(path_, av::errorText(result));
      readPacket();
    }
    return false;
  }

 private:
  void readPacket() {
    for (;;) {
      const int result = av_read_frame(song_.format.get(), packet_.get());
      if (result < 0) {
        avcodec_send_packet(song_.decoder.get(), nullptr);
        return;
      }
      if (packet_->stream_index != song_.stream) {
        av_packet_unref(packet_.get());
        continue;
      }
      const int sent = avcodec_send_packet(song_.decoder.get(), packet_.get());
      av_packet_unref(packet_.get());
      // A damaged packet is skipped like a player would; the rest of the song still plays.
      if (sent < 0 && sent != AVERROR_INVALIDDATA && sent != AVERROR(EAGAIN)) failSong(path_, av::errorText(sent));
      return;
    }
  }

  void push(AVAudioFifo* fifo, const AVFrame* in) {
    const bool changed = !resampler_ || in->sample_rate != inRate_ || in->format != inFormat_ ||
                         av_channel_layout_compare(&in->ch_layout, &inLayout_) != 0;
    if (changed) {
      drainResampler(fifo);
      configure(in);
    }
    convert(fifo, in->extended_data, in->nb_samples);
  }

  void configure(const AVFrame* in) {
    // inLayout_ is what the frames say (compared with every frame); a layout that only gives
    // a channel count is resampled as the usual layout of that many channels.
    av_channel_layout_uninit(&inLayout_);
    av_channel_layout_copy(&inLayout_, &in->ch_layout);
    AVChannelLayout source{};  // copy() frees what the target holds: start empty
    if (in->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
      av_channel_layout_default(&source, in->ch_layout.nb_channels);
    } else {
      av_channel_layout_copy(&source, &in->ch_layout);
    }
    inRate_ = in->sample_rate;
    inFormat_ = in->format;
    AVChannelLayout stereo{};
    av_channel_layout_default(&stereo, 2);
    SwrContext* raw = nullptr;
    int result = swr_alloc_set_opts2(&raw, &stereo, outFormat_, outRate_, &source,
                                     static_cast<AVSampleFormat>(inFormat_), inRate_, 0, nullptr);
    av_channel_layout_uninit(&source);
    resampler_.reset(raw);
    if (result >= 0) result = swr_init(raw);
    if (result < 0) failSong(path_, "unsupported sound layout: " + av::errorText(result));
  }

  void convert(AVAudioFifo* fifo, uint8_t** data, int samples) {
    const int room = swr_get_out_samples(resampler_.get(), samples);
    if (room <= 0) return;
    uint8_t** out = nullptr;
    if (av_samples_alloc_array_and_samples(&out, nullptr, 2, room, outFormat_, 0) < 0) {
      throw Error(std::string("out of memory (sound buffer)"));
    }
    const int made = swr_convert(resampler_.get(), out, room, const_cast<const uint8_t**>(data), samples);
    if (made > 0) {
      rampIn(out, made);
      av_audio_fifo_write(fifo, reinterpret_cast<void**>(out), made);
    }
    av_freep(&out[0]);
    av_freep(&out);
    if (made < 0) failSong(path_, av::errorText(made));
  }

  void rampIn(uint8_t** out, int made) {
    const int rampLength = static_cast<int>(outRate_ * kRampSeconds);
    if (emitted_ < rampLength) {
      const int count = static_cast<int>(std::min<long long>(made, rampLength - emitted_));
      const long long start = emitted_;
      applyGain(out, outFormat_, 0, count, [&](int i) { return float(start + i + 0.5) / rampLength; });
    }
    emitted_ += made;
  }

  void drainResampler(AVAudioFifo* fifo) {
    if (resampler_) convert(fifo, nullptr, 0);
  }

  QString path_;
  OpenedSong song_;
  int outRate_;
  AVSampleFormat outFormat_;
  av::PacketPtr packet_;
  av::FramePtr frame_;
  av::SwrPtr resampler_;
  AVChannelLayout inLayout_{};
  int inRate_ = 0;
  int inFormat_ = -1;
  long long emitted_ = 0;
  bool ended_ = false;

 public:
  ~SongDecoder() { av_channel_layout_uninit(&inLayout_); }
};

void checkSoundFile(const QString& path) {
  OpenedSong song = openSong(path);
  av::PacketPtr packet = av::makePacket();
  av::FramePtr frame = av::makeFrame();
  for (;;) {
    const int read = av_read_frame(song.format.get(), packet.get());
    if (read < 0) failSong(path, "no decodable sound found");
    if (packet->stream_index == song.stream) {
      avcodec_send_packet(song.decoder.get(), packet.get());
      if (avcodec_receive_frame(song.decoder.get(), frame.get()) == 0 && frame->nb_samples > 0) return;
    }
    av_packet_unref(packet.get());
  }
}

long long soundFileSamples(const QString& path) {
  try {
    OpenedSong song = openSong(path);
    const AVStream* stream = song.format->streams[song.stream];
    const int rate = stream->codecpar->sample_rate;
    if (stream->duration != AV_NOPTS_VALUE) {
      return av_rescale_q(stream->duration, stream->time_base, AVRational{1, rate});
    }
    if (song.format->duration != AV_NOPTS_VALUE) {
      return av_rescale(song.format->duration, rate, AV_TIME_BASE);
    }
  } catch (const Error&) {
  }
  return 0;
}

SoundTrack::SoundTrack(std::vector<QString> files, int sampleRate, int sampleFormat, int frameSize)
    : files_(std::move(files)), sampleRate_(sampleRate), sampleFormat_(sampleFormat),
      frameSize_(frameSize > 0 ? frameSize : 1024),
      fifo_(av_audio_fifo_alloc(static_cast<AVSampleFormat>(sampleFormat), 2, frameSize_ * 4)) {
  if (!fifo_) throw Error(std::string("out of memory (sound buffer)"));
}

SoundTrack::~SoundTrack() = default;

void SoundTrack::fillFifo(int samples) {
  while (av_audio_fifo_size(fifo_.get()) < samples) {
    if (!song_) {
      if (nextFile_ >= files_.size()) return;
      song_ = std::make_unique<SongDecoder>(files_[nextFile_++], sampleRate_,
                                            static_cast<AVSampleFormat>(sampleFormat_));
    }
    if (!song_->decodeSome(fifo_.get())) {
      fadeOutTail(fifo_.get(), static_cast<AVSampleFormat>(sampleFormat_),
                  static_cast<int>(sampleRate_ * kRampSeconds));
      song_.reset();
    }
  }
}

bool SoundTrack::songsEnded() const {
  return !song_ && nextFile_ >= files_.size() && av_audio_fifo_size(fifo_.get()) == 0;
}

av::FramePtr SoundTrack::nextFrame() {
  fillFifo(frameSize_);
  av::FramePtr frame = av::makeFrame();
  frame->nb_samples = frameSize_;
  frame->format = sampleFormat_;
  frame->sample_rate = sampleRate_;
  av_channel_layout_default(&frame->ch_layout, 2);
  if (av_frame_get_buffer(frame.get(), 0) < 0) throw Error(std::string("out of memory (sound frame)"));
  av_samples_set_silence(frame->extended_data, 0, frameSize_, 2, static_cast<AVSampleFormat>(sampleFormat_));
  av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->extended_data), frameSize_);
  return frame;
}

}  // namespace solvane
