#include "render/av_ptr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/error.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "model/error.h"

namespace solvane::av {

void FrameDeleter::operator()(AVFrame* p) const { av_frame_free(&p); }
void PacketDeleter::operator()(AVPacket* p) const { av_packet_free(&p); }
void CodecContextDeleter::operator()(AVCodecContext* p) const {
  // FFmpeg 5.1 frees the intra and inter matrices with the context but not the chroma intra
  // matrix (later versions do). It is taken out of the context and freed once the context is
  // gone: encoder threads still finishing a frame read it until the close has joined them.
  uint16_t* chromaMatrix = p ? p->chroma_intra_matrix : nullptr;
  if (p) p->chroma_intra_matrix = nullptr;
  avcodec_free_context(&p);
  av_free(chromaMatrix);
}
void InputFormatDeleter::operator()(AVFormatContext* p) const { avformat_close_input(&p); }
void OutputFormatDeleter::operator()(AVFormatContext* p) const {
  if (p->pb && !(p->oformat->flags & AVFMT_NOFILE)) avio_closep(&p->pb);
  avformat_free_context(p);
}
void SwsDeleter::operator()(SwsContext* p) const { sws_freeContext(p); }
void SwrDeleter::operator()(SwrContext* p) const { swr_free(&p); }
void AudioFifoDeleter::operator()(AVAudioFifo* p) const { av_audio_fifo_free(p); }

FramePtr makeFrame() {
  FramePtr frame(av_frame_alloc());
  if (!frame) throw Error(std::string("out of memory (picture buffer)"));
  return frame;
}

PacketPtr makePacket() {
  PacketPtr packet(av_packet_alloc());
  if (!packet) throw Error(std::string("out of memory (packet buffer)"));
  return packet;
}

QString errorText(int code) {
  char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buffer, sizeof buffer);
  return QString::fromUtf8(buffer);
}

}  // namespace solvane::av
