#pragma once
// Owning pointers for libav objects. The libav types are only forward-declared here so that
// callers never see libav headers; the deleters live in av_ptr.cpp.
#include <memory>

#include <QString>

struct AVFrame;
struct AVPacket;
struct AVCodecContext;
struct AVFormatContext;
struct SwsContext;
struct SwrContext;
struct AVAudioFifo;

namespace solvane::av {

struct FrameDeleter {
  void operator()(AVFrame* p) const;
};
struct PacketDeleter {
  void operator()(AVPacket* p) const;
};
struct CodecContextDeleter {
  void operator()(AVCodecContext* p) const;
};
// For contexts opened with avformat_open_input.
struct InputFormatDeleter {
  void operator()(AVFormatContext* p) const;
};
// For contexts made with avformat_alloc_output_context2; closes the output file if still open.
struct OutputFormatDeleter {
  void operator()(AVFormatContext* p) const;
};
struct SwsDeleter {
  void operator()(SwsContext* p) const;
};
struct SwrDeleter {
  void operator()(SwrContext* p) const;
};
struct AudioFifoDeleter {
  void operator()(AVAudioFifo* p) const;
};

using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, SwsDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;

FramePtr makeFrame();
PacketPtr makePacket();

// libav's text for an error code, e.g. "No space left on device".
QString errorText(int code);

}  // namespace solvane::av
