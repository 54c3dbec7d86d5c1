#pragma once
// One encode loop for every output kind: frames go into an Encoder, which drains every packet
// the codec has ready into a PacketSink (a container file, or one picture file per packet).
#include <filesystem>
#include <string>
#include <vector>

#include <QString>

#include "render/av_ptr.h"
#include "render/output_profile.h"

struct AVCodecContext;
struct AVStream;

namespace solvane {

class PacketSink {
 public:
  virtual ~PacketSink() = default;
  // Takes the packet's data; `source` gives the codec time base the timestamps are in.
  virtual void write(AVPacket* packet, int streamIndex, const AVCodecContext* source) = 0;
};

class Encoder {
 public:
  static Encoder forVideo(const VideoSettings& settings, bool globalHeader);
  static Encoder forAudio(const AudioSettings& settings, bool globalHeader);

  AVCodecContext* context() const { return context_.get(); }
  // Samples per audio frame the codec wants (0 = any).
  int frameSize() const;

  void attach(PacketSink* sink, int streamIndex) {
    sink_ = sink;
    streamIndex_ = streamIndex;
  }
  // Sends one frame and writes every packet that became ready. Throws Error.
  void encode(const AVFrame* frame);
  // Sends the end of stream and writes the remaining packets.
  void flush();

 private:
  explicit Encoder(av::CodecContextPtr context);
  void drain();

  av::CodecContextPtr context_;
  av::PacketPtr packet_;
  PacketSink* sink_ = nullptr;
  int streamIndex_ = 0;
  bool flushed_ = false;
};

// A container file written through libavformat.
class Muxer final : public PacketSink {
 public:
  // Writes `file`; errors name `shownAs` (the album's name when `file` is a temporary one).
  // `fastStart`: MP4 only, the index is moved before the media data when the file is finished.
  Muxer(const std::filesystem::path& file, const std::filesystem::path& shownAs, const std::string& format,
        long long muxRate, bool fastStart = false);

  bool needsGlobalHeader() const;
  // Adds a stream carrying `encoder`'s output; call before start().
  int addStream(const Encoder& encoder);
  // Opens the file and writes the header. Throws Error.
  void start();
  void write(AVPacket* packet, int streamIndex, const AVCodecContext* source) override;
  // Writes the trailer and closes the file, checking both (a full disk shows up here).
  void finish();

 private:
  [[noreturn]] void fail(const QString& action, int code) const;

  std::filesystem::path file_;
  std::filesystem::path shownAs_;
  long long muxRate_ = 0;
  bool fastStart_ = false;
  av::OutputFormatPtr format_;
};

// Numbered picture files: every packet becomes one file "NN.<ending>" in a folder. Each file is
// written under a temporary name and renamed when complete.
class PictureFileSink final : public PacketSink {
 public:
  // `first` is the first file, e.g. ".../album/01.JPG"; its number and digit count set the
  // numbering of the rest.
  explicit PictureFileSink(const std::filesystem::path& first);

  void write(AVPacket* packet, int streamIndex, const AVCodecContext* source) override;
  // The files written so far, for removal after a failure or a stop.
  const std::vector<std::filesystem::path>& written() const { return written_; }
  std::filesystem::path nameOf(long long index) const;

 private:
  std::filesystem::path folder_;
  std::string ending_;
  long long firstNumber_ = 1;
  int digits_ = 2;
  std::vector<std::filesystem::path> written_;
};

}  // namespace solvane
