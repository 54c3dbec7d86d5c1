#include "support/lyrics_fixtures.h"

#include <cmath>
#include <memory>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "model/text_codec.h"

namespace solvane::test {
namespace {

struct OutputCloser {
  void operator()(AVFormatContext* ctx) const {
    if (ctx->pb) avio_closep(&ctx->pb);
    avformat_free_context(ctx);
  }
};
struct CodecFreer {
  void operator()(AVCodecContext* ctx) const { avcodec_free_context(&ctx); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};

void check(int rc, const char* what) {
  if (rc < 0) throw std::runtime_error(std::string("tone fixture: ") + what + " failed");
}

void drain(AVCodecContext* codec, AVFormatContext* out, AVStream* stream, AVFrame* frame) {
  std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
  check(avcodec_send_frame(codec, frame), "send frame");
  while (true) {
    const int rc = avcodec_receive_packet(codec, packet.get());
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return;
    check(rc, "receive packet");
    av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    check(av_interleaved_write_frame(out, packet.get()), "write packet");
  }
}

}  // namespace

void writeToneMp3(const std::filesystem::path& path, double seconds) {
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MP3);
  if (!encoder) encoder = avcodec_find_encoder(AV_CODEC_ID_MP2);
  if (!encoder) throw std::runtime_error("tone fixture: no MPEG audio encoder");
  const bool mp3 = encoder->id == AV_CODEC_ID_MP3;
  const int rate = 16000;

  AVFormatContext* rawOut = nullptr;
  check(avformat_alloc_output_context2(&rawOut, nullptr, "mp3", path.string().c_str()),
        "output context");
  std::unique_ptr<AVFormatContext, OutputCloser> out(rawOut);
  std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(encoder));
  codec->sample_rate = rate;
  codec->bit_rate = mp3 ? 16000 : 32000;
  codec->sample_fmt = encoder->sample_fmts ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_S16;
  av_channel_layout_default(&codec->ch_layout, 1);
  codec->time_base = AVRational{1, rate};
  check(avcodec_open2(codec.get(), encoder, nullptr), "open encoder");
  AVStream* stream = avformat_new_stream(out.get(), nullptr);
  check(avcodec_parameters_from_context(stream->codecpar, codec.get()), "stream parameters");
  stream->time_base = codec->time_base;
  check(avio_open(&out->pb, path.string().c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(out.get(), nullptr), "write header");

  std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
  const long long total = std::llround(seconds * rate);
  const int perFrame = codec->frame_size > 0 ? codec->frame_size : 1152;
  for (long long done = 0; done < total; done += perFrame) {
    const int n = static_cast<int>(std::min<long long>(perFrame, total - done));
    av_frame_unref(frame.get());
    frame->nb_samples = perFrame;
    frame->format = codec->sample_fmt;
    check(av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout), "layout");
    check(av_frame_get_buffer(frame.get(), 0), "frame buffer");
    for (int i = 0; i < perFrame; ++i) {
      const double v = i < n ? 0.3 * std::sin(2 * M_PI * 440.0 * double(done + i) / rate) : 0.0;
      if (codec->sample_fmt == AV_SAMPLE_FMT_FLTP || codec->sample_fmt == AV_SAMPLE_FMT_FLT)
        reinterpret_cast<float*>(frame->data[0])[i] = static_cast<float>(v);
      else if (codec->sample_fmt == AV_SAMPLE_FMT_S32P || codec->sample_fmt == AV_SAMPLE_FMT_S32)
        reinterpret_cast<int32_t*>(frame->data[0])[i] = static_cast<int32_t>(v * 2147483647.0);
      else
        reinterpret_cast<int16_t*>(frame->data[0])[i] = static_cast<int16_t>(v * 32767.0);
    }
    // A short last frame tells the encoder where the tone ends.
    frame->nb_samples = (encoder->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) ? n : perFrame;
    frame->pts = done;
    drain(codec.get(), out.get(), stream, frame.get());
  }
  drain(codec.get(), out.get(), stream, nullptr);
  check(av_write_trailer(out.get()), "write trailer");
}

QByteArray gbkBytes(const QString& text) { return encodeGbk(text); }

QByteArray utf8BomBytes(const QString& text) {
  return QByteArrayLiteral("\xef\xbb\xbf") + text.toUtf8();
}

QByteArray utf16LeBomBytes(const QString& text) {
  QByteArray bytes = QByteArrayLiteral("\xff\xfe");
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

QString toQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace solvane::test
