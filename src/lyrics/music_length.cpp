#include "lyrics/music_length.h"

#include <memory>

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

#include "model/error.h"

namespace solvane {
namespace {

struct FormatCloser {
  void operator()(AVFormatContext* ctx) const { avformat_close_input(&ctx); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

struct CodecContextFreer {
  void operator()(AVCodecContext* ctx) const { avcodec_free_context(&ctx); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFreer>;

struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

QString avErrorText(int code) {
  char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buffer, sizeof buffer);
  return QString::fromUtf8(buffer);
}

[[noreturn]] void fail(const QString& path, const QString& reason) {
  throw Error(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), reason));
}

// Reads packets of the audio stream until one frame decodes: a file whose header parses
// but whose audio does not decode cannot be played and must not be imported.
void decodeFirstFrame(const QString& path, AVFormatContext* format, int streamIndex) {
  AVStream* stream = format->streams[streamIndex];
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec) fail(path, QStringLiteral("no decoder for its audio format"));
  CodecContextPtr decoder(avcodec_alloc_context3(codec));
  if (!decoder) fail(path, QStringLiteral("out of memory"));
  if (avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0 ||
      avcodec_open2(decoder.get(), codec, nullptr) < 0)
    fail(path, QStringLiteral("its audio decoder cannot be opened"));

  PacketPtr packet(av_packet_alloc());
  FramePtr frame(av_frame_alloc());
  int rc = 0;
  while ((rc = av_read_frame(format, packet.get())) >= 0) {
    const bool ours = packet->stream_index == streamIndex;
    if (ours) rc = avcodec_send_packet(decoder.get(), packet.get());
    av_packet_unref(packet.get());
    if (!ours || rc == AVERROR_INVALIDDATA) continue;
    if (rc < 0) fail(path, QStringLiteral("its audio cannot be decoded (%1)").arg(avErrorText(rc)));
    rc = avcodec_receive_frame(decoder.get(), frame.get());
    if (rc == 0) return;
    if (rc != AVERROR(EAGAIN))
      fail(path, QStringLiteral("its audio cannot be decoded (%1)").arg(avErrorText(rc)));
  }
  // Short files: the decoder may hold the only frame until it is drained.
  avcodec_send_packet(decoder.get(), nullptr);
  if (avcodec_receive_frame(decoder.get(), frame.get()) == 0) return;
  fail(path, QStringLiteral("no audio could be decoded from it"));
}

long long durationMs(AVFormatContext* format, int streamIndex) {
  if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
    return format->duration / (AV_TIME_BASE / 1000);
  const AVStream* stream = format->streams[streamIndex];
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    return av_rescale_q(stream->duration, stream->time_base, AVRational{1, 1000});
  return -1;
}

}  // namespace

long long measureMusicLengthMs(const QString& path) {
  if (!QFileInfo(path).isFile()) fail(path, QStringLiteral("the file does not exist"));
  AVFormatContext* raw = nullptr;
  const QByteArray localPath = QFile::encodeName(path);
  int rc = avformat_open_input(&raw, localPath.constData(), nullptr, nullptr);
  if (rc < 0) fail(path, QStringLiteral("not a playable music file (%1)").arg(avErrorText(rc)));
  FormatPtr format(raw);
  if ((rc = avformat_find_stream_info(format.get(), nullptr)) < 0)
    fail(path, QStringLiteral("its streams cannot be read (%1)").arg(avErrorText(rc)));
  const int streamIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (streamIndex < 0) fail(path, QStringLiteral("it holds no audio"));

  const long long ms = durationMs(format.get(), streamIndex);
  if (ms < 0) fail(path, QStringLiteral("its playing time is unknown"));
  decodeFirstFrame(path, format.get(), streamIndex);
  return ms;
}

}  // namespace solvane
