#include "support/media_fixtures.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace solvane::test {
namespace {

struct CodecFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct InputFree {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct OutputFree {
  void operator()(AVFormatContext* f) const {
    if (f->pb) avio_closep(&f->pb);
    avformat_free_context(f);
  }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

void check(int result, const char* what) {
  if (result < 0) throw std::runtime_error(std::string("media fixture: ") + what);
}

void drainTo(AVCodecContext* codec, AVFormatContext* out, AVStream* stream, AVPacket* packet) {
  while (avcodec_receive_packet(codec, packet) == 0) {
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    check(av_interleaved_write_frame(out, packet), "write");
  }
}

void makeTone(const std::filesystem::path& path, const char* encoderName, const char* muxer, double seconds,
              int sampleRate, int channels, double frequency) {
  const AVCodec* codec = avcodec_find_encoder_by_name(encoderName);
  if (!codec) throw std::runtime_error(std::string("media fixture: no encoder ") + encoderName);
  AVFormatContext* raw = nullptr;
  check(avformat_alloc_output_context2(&raw, nullptr, muxer, path.string().c_str()), "container");
  std::unique_ptr<AVFormatContext, OutputFree> out(raw);
  CodecPtr c(avcodec_alloc_context3(codec));
  c->sample_rate = sampleRate;
  c->sample_fmt = codec->sample_fmts[0];
  av_channel_layout_default(&c->ch_layout, channels);
  c->bit_rate = 128000;
  c->time_base = AVRational{1, sampleRate};
  check(avcodec_open2(c.get(), codec, nullptr), "open encoder");
  AVStream* stream = avformat_new_stream(out.get(), nullptr);
  avcodec_parameters_from_context(stream->codecpar, c.get());
  stream->time_base = c->time_base;
  check(avio_open(&out->pb, path.string().c_str(), AVIO_FLAG_WRITE), "create file");
  check(avformat_write_header(out.get(), nullptr), "header");

  const int frameSize = c->frame_size > 0 ? c->frame_size : 1024;
  const long long total = std::llround(seconds * sampleRate);
  FramePtr frame(av_frame_alloc());
  PacketPtr packet(av_packet_alloc());
  for (long long done = 0; done < total; done += frameSize) {
    const int n = static_cast<int>(std::min<long long>(frameSize, total - done));
    // Fixed-size codecs take only full frames: the last one is padded with silence.
    const int size = c->frame_size > 0 ? frameSize : n;
    frame->nb_samples = size;
    frame->format = c->sample_fmt;
    frame->sample_rate = sampleRate;
    av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
    check(av_frame_get_buffer(frame.get(), 0), "frame");
    av_samples_set_silence(frame->extended_data, 0, size, channels, c->sample_fmt);
    const bool planar = av_sample_fmt_is_planar(c->sample_fmt);
    for (int i = 0; i < n; ++i) {
      const double v = 0.5 * std::sin(2 * M_PI * frequency * double(done + i) / sampleRate);
      for (int ch = 0; ch < channels; ++ch) {
        const int plane = planar ? ch : 0;
        const int slot = planar ? i : i * channels + ch;
        switch (c->sample_fmt) {
          case AV_SAMPLE_FMT_FLTP:
          case AV_SAMPLE_FMT_FLT:
            reinterpret_cast<float*>(frame->extended_data[plane])[slot] = float(v);
            break;
          case AV_SAMPLE_FMT_S16P:
          case AV_SAMPLE_FMT_S16:
            reinterpret_cast<int16_t*>(frame->extended_data[plane])[slot] = int16_t(v * 32767);
            break;
          case AV_SAMPLE_FMT_S32P:
          case AV_SAMPLE_FMT_S32:
            reinterpret_cast<int32_t*>(frame->extended_data[plane])[slot] = int32_t(v * 2147483647.0);
            break;
          default:
            throw std::runtime_error("media fixture: unexpected sample format");
        }
      }
    }
    frame->pts = done;
    check(avcodec_send_frame(c.get(), frame.get()), "encode");
    drainTo(c.get(), out.get(), stream, packet.get());
    av_frame_unref(frame.get());
  }
  check(avcodec_send_frame(c.get(), nullptr), "flush");
  drainTo(c.get(), out.get(), stream, packet.get());
  check(av_write_trailer(out.get()), "trailer");
}

QImage toRgb(const AVFrame* frame) {
  QImage image(frame->width, frame->height, QImage::Format_RGB32);
  SwsContext* sws = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                   frame->width, frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr,
                                   nullptr);
  // Decoded as the stream says it was encoded (the scaler assumes BT.601 otherwise).
  if (frame->colorspace == AVCOL_SPC_BT709) {
    int* inverse = nullptr;
    int* table = nullptr;
    int sourceRange = 0, range = 0, brightness = 0, contrast = 0, saturation = 0;
    sws_getColorspaceDetails(sws, &inverse, &sourceRange, &table, &range, &brightness, &contrast, &saturation);
    sws_setColorspaceDetails(sws, sws_getCoefficients(SWS_CS_ITU709), sourceRange, table, range, brightness,
                             contrast, saturation);
  }
  uint8_t* planes[1] = {image.bits()};
  const int strides[1] = {static_cast<int>(image.bytesPerLine())};
  sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
  sws_freeContext(sws);
  return image;
}

}  // namespace

void makeToneMp3(const std::filesystem::path& path, double seconds, int sampleRate, int channels,
                 double frequency) {
  makeTone(path, avcodec_find_encoder_by_name("libmp3lame") ? "libmp3lame" : "mp2", "mp3", seconds, sampleRate,
           channels, frequency);
}

void makeToneWav(const std::filesystem::path& path, double seconds, int sampleRate, int channels,
                 double frequency) {
  makeTone(path, "pcm_s16le", "wav", seconds, sampleRate, channels, frequency);
}

MediaFacts readMedia(const std::filesystem::path& path, const std::vector<long long>& keepFrames) {
  MediaFacts facts;
  AVFormatContext* raw = nullptr;
  check(avformat_open_input(&raw, path.string().c_str(), nullptr, nullptr), "open album");
  std::unique_ptr<AVFormatContext, InputFree> in(raw);
  check(avformat_find_stream_info(raw, nullptr), "stream info");
  facts.container = raw->iformat->name;
  facts.seconds = raw->duration > 0 ? raw->duration / double(AV_TIME_BASE) : 0;

  struct Decoding {
    int index = -1;
    CodecPtr codec;
    StreamFacts* facts = nullptr;
  };
  Decoding video{av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0), nullptr, &facts.video};
  Decoding audio{av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0), nullptr, &facts.audio};
  for (Decoding* d : {&video, &audio}) {
    if (d->index < 0) continue;
    const AVStream* stream = raw->streams[d->index];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    d->codec.reset(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(d->codec.get(), stream->codecpar);
    check(avcodec_open2(d->codec.get(), codec, nullptr), "open decoder");
    d->facts->present = true;
    d->facts->codec = avcodec_get_name(stream->codecpar->codec_id);
    if (const char* profile = avcodec_profile_name(stream->codecpar->codec_id, stream->codecpar->profile))
      d->facts->profile = profile;
    if (const char* format = av_get_pix_fmt_name(static_cast<AVPixelFormat>(stream->codecpar->format));
        format && stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
      d->facts->pixelFormat = format;
    d->facts->colourSpace = av_color_space_name(stream->codecpar->color_space);
    d->facts->level = stream->codecpar->level;
    d->facts->width = stream->codecpar->width;
    d->facts->height = stream->codecpar->height;
    d->facts->frameRate = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);
    d->facts->sampleRate = stream->codecpar->sample_rate;
    d->facts->channels = stream->codecpar->ch_layout.nb_channels;
  }

  FramePtr frame(av_frame_alloc());
  PacketPtr packet(av_packet_alloc());
  const auto receive = [&](Decoding& d) {
    while (avcodec_receive_frame(d.codec.get(), frame.get()) == 0) {
      if (&d == &video) {
        for (long long keep : keepFrames) {
          if (keep == d.facts->frames) facts.pictures.push_back(toRgb(frame.get()));
        }
        d.facts->frames += 1;
      } else {
        d.facts->samples += frame->nb_samples;
      }
      av_frame_unref(frame.get());
    }
  };
  while (av_read_frame(raw, packet.get()) >= 0) {
    for (Decoding* d : {&video, &audio}) {
      if (d->codec && packet->stream_index == d->index) {
        if (d == &video && (packet->flags & AV_PKT_FLAG_KEY))
          d->facts->keyFrameTimes.push_back(packet->pts * av_q2d(raw->streams[d->index]->time_base));
        avcodec_send_packet(d->codec.get(), packet.get());
        receive(*d);
      }
    }
    av_packet_unref(packet.get());
  }
  for (Decoding* d : {&video, &audio}) {
    if (!d->codec) continue;
    avcodec_send_packet(d->codec.get(), nullptr);
    receive(*d);
  }
  return facts;
}

std::vector<std::string> mp4Boxes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> boxes;
  for (;;) {
    unsigned char header[16];
    if (!in.read(reinterpret_cast<char*>(header), 8)) break;
    unsigned long long size = (0ULL + header[0]) << 24 | header[1] << 16 | header[2] << 8 | header[3];
    boxes.emplace_back(reinterpret_cast<const char*>(header + 4), 4);
    unsigned long long headerSize = 8;
    if (size == 1) {  // a 64-bit size follows the type
      if (!in.read(reinterpret_cast<char*>(header + 8), 8)) break;
      size = 0;
      for (int i = 8; i < 16; ++i) size = size << 8 | header[i];
      headerSize = 16;
    }
    if (size == 0) break;  // runs to the end of the file
    if (size < headerSize) throw std::runtime_error("media fixture: broken MP4 box");
    in.seekg(static_cast<std::streamoff>(size - headerSize), std::ios::cur);
  }
  return boxes;
}

int colourDistance(QRgb a, QRgb b) {
  return (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))) / 3;
}

}  // namespace solvane::test
