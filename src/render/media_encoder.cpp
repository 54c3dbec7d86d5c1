#include "render/media_encoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <system_error>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include "model/error.h"

namespace solvane {
namespace {

QString fileText(const std::filesystem::path& file) { return QString::fromStdString(file.string()); }

const AVCodec* findEncoder(const std::string& name) {
  const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
  if (!codec) throw Error(QString("the encoder \"%1\" is not available").arg(QString::fromStdString(name)));
  return codec;
}

av::CodecContextPtr allocateContext(const AVCodec* codec) {
  av::CodecContextPtr context(avcodec_alloc_context3(codec));
  if (!context) throw Error(std::string("out of memory (encoder)"));
  return context;
}

void openContext(AVCodecContext* context, const AVCodec* codec, AVDictionary** options = nullptr) {
  const int result = avcodec_open2(context, codec, options);
  if (result < 0) {
    throw Error(QString("the encoder \"%1\" refused the settings (%2)")
                    .arg(QString::fromUtf8(codec->name), av::errorText(result)));
  }
}

// The codec's preferred sample format among the ones it takes: planar float when offered, as
// that keeps the most headroom, otherwise its first.
AVSampleFormat chooseSampleFormat(const AVCodec* codec) {
  const AVSampleFormat* formats = codec->sample_fmts;
  if (!formats) return AV_SAMPLE_FMT_FLTP;
  for (const AVSampleFormat* f = formats; *f != AV_SAMPLE_FMT_NONE; ++f) {
    if (*f == AV_SAMPLE_FMT_FLTP) return *f;
  }
  return formats[0];
}

// The standard JPEG quantisation tables (natural order) and the usual scaling by quality.
constexpr uint16_t kJpegLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr uint16_t kJpegChrominance[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// The MJPEG encoder multiplies its matrices by the quantiser and divides by 8; at quantiser 1
// a matrix of 8 x the wanted table writes exactly that table.
uint16_t* jpegMatrix(const uint16_t (&base)[64], int quality) {
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  auto* matrix = static_cast<uint16_t*>(av_malloc(64 * sizeof(uint16_t)));
  if (!matrix) throw Error(std::string("out of memory (JPEG tables)"));
  for (int i = 0; i < 64; ++i) matrix[i] = static_cast<uint16_t>(8 * std::clamp((base[i] * scale + 50) / 100, 1, 255));
  return matrix;
}

void setJpegQuality(AVCodecContext* c, int quality) {
  c->flags |= AV_CODEC_FLAG_QSCALE;
  c->global_quality = FF_QP2LAMBDA;
  c->qmin = c->qmax = 1;
  c->intra_matrix = jpegMatrix(kJpegLuminance, quality);  // freed with the context
  c->chroma_intra_matrix = jpegMatrix(kJpegChrominance, quality);
}

void setColours(AVCodecContext* c, ColourSystem colours) {
  switch (colours) {
    case ColourSystem::Bt601:
      return;
    case ColourSystem::Bt601Tagged:
      c->colorspace = AVCOL_SPC_SMPTE170M;
      break;
    case ColourSystem::Bt709Tagged:
      c->colorspace = AVCOL_SPC_BT709;
      break;
  }
  // The pictures are sRGB photographs: BT.709 primaries and transfer whatever the matrix.
  c->color_primaries = AVCOL_PRI_BT709;
  c->color_trc = AVCOL_TRC_BT709;
  c->color_range = AVCOL_RANGE_MPEG;
}

// The encoder's own options (libx264's preset, constant-quality factor and profile), handed
// over when it opens; an option it does not know is an error, not a silent default.
struct CodecOptions {
  AVDictionary* dictionary = nullptr;
  ~CodecOptions() { av_dict_free(&dictionary); }
  void set(const char* key, const std::string& value) {
    if (!value.empty()) av_dict_set(&dictionary, key, value.c_str(), 0);
  }
};

void refuseUnknownOptions(const CodecOptions& left, const AVCodec* codec) {
  if (const AVDictionaryEntry* unknown = av_dict_get(left.dictionary, "", nullptr, AV_DICT_IGNORE_SUFFIX)) {
    throw Error(QString("the encoder \"%1\" does not know the option \"%2\"")
                    .arg(QString::fromUtf8(codec->name), QString::fromUtf8(unknown->key)));
  }
}

}  // namespace

// --- Encoder -----------------------------------------------------------------------------------

Encoder::Encoder(av::CodecContextPtr context) : context_(std::move(context)), packet_(av::makePacket()) {}

Encoder Encoder::forVideo(const VideoSettings& s, bool globalHeader) {
  const AVCodec* codec = findEncoder(s.codec);
  av::CodecContextPtr c = allocateContext(codec);
  c->width = s.width;
  c->height = s.height;
  c->pix_fmt = av_get_pix_fmt(s.pixelFormat.c_str());
  c->time_base = AVRational{s.rateDen, s.rateNum};
  c->framerate = AVRational{s.rateNum, s.rateDen};
  c->sample_aspect_ratio = AVRational{1, 1};
  c->gop_size = s.gopSize;
  if (s.maxBFrames >= 0) c->max_b_frames = s.maxBFrames;
  if (s.bitRate > 0) c->bit_rate = s.bitRate;
  if (s.maxRate > 0) c->rc_max_rate = s.maxRate;
  if (s.bufferSize > 0) c->rc_buffer_size = static_cast<int>(s.bufferSize);
  if (s.level > 0) c->level = s.level;
  setColours(c.get(), s.colours);
  if (s.jpegQuality > 0) setJpegQuality(c.get(), s.jpegQuality);
  // Slice threads for MPEG-1/2, frame threads for MPEG-4 and H.264: the album should not wait
  // on one core.
  c->thread_count = 2;
  if (!s.codecTag.empty()) {
    c->codec_tag = MKTAG(s.codecTag[0], s.codecTag[1], s.codecTag[2], s.codecTag[3]);
  }
  if (globalHeader) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  CodecOptions options;
  options.set("preset", s.preset);
  options.set("x264-params", s.x264Params);
  options.set("profile", s.profile);
  if (s.crf > 0) options.set("crf", QString::number(s.crf).toStdString());
  openContext(c.get(), codec, &options.dictionary);
  refuseUnknownOptions(options, codec);
  return Encoder(std::move(c));
}

Encoder Encoder::forAudio(const AudioSettings& s, bool globalHeader) {
  const AVCodec* codec = findEncoder(s.codec);
  av::CodecContextPtr c = allocateContext(codec);
  c->sample_rate = s.sampleRate;
  c->sample_fmt = chooseSampleFormat(codec);
  av_channel_layout_default(&c->ch_layout, 2);
  c->bit_rate = s.bitRate;
  c->time_base = AVRational{1, s.sampleRate};
  if (globalHeader) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  openContext(c.get(), codec);
  return Encoder(std::move(c));
}

int Encoder::frameSize() const { return context_->frame_size; }

void Encoder::encode(const AVFrame* frame) {
  const int result = avcodec_send_frame(context_.get(), frame);
  if (result < 0) {
    throw Error(QString("the encoder \"%1\" failed (%2)")
                    .arg(QString::fromUtf8(context_->codec->name), av::errorText(result)));
  }
  drain();
}

void Encoder::flush() {
  if (flushed_) return;
  flushed_ = true;
  encode(nullptr);
}

void Encoder::drain() {
  for (;;) {
    const int result = avcodec_receive_packet(context_.get(), packet_.get());
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    if (result < 0) {
      throw Error(QString("the encoder \"%1\" failed (%2)")
                      .arg(QString::fromUtf8(context_->codec->name), av::errorText(result)));
    }
    sink_->write(packet_.get(), streamIndex_, context_.get());
    av_packet_unref(packet_.get());
  }
}

// --- Muxer -------------------------------------------------------------------------------------

Muxer::Muxer(const std::filesystem::path& file, const std::filesystem::path& shownAs, const std::string& format,
             long long muxRate, bool fastStart)
    : file_(file), shownAs_(shownAs), muxRate_(muxRate), fastStart_(fastStart) {
  AVFormatContext* raw = nullptr;
  // The file's name goes in too: moving the MP4 index to the front reads the file back by it.
  const int result = avformat_alloc_output_context2(&raw, nullptr, format.c_str(), file_.string().c_str());
  if (result < 0 || !raw) fail("cannot prepare the container", result);
  format_.reset(raw);
}

bool Muxer::needsGlobalHeader() const { return (format_->oformat->flags & AVFMT_GLOBALHEADER) != 0; }

int Muxer::addStream(const Encoder& encoder) {
  AVStream* stream = avformat_new_stream(format_.get(), nullptr);
  if (!stream) throw Error(std::string("out of memory (container stream)"));
  const AVCodecContext* c = encoder.context();
  const int result = avcodec_parameters_from_context(stream->codecpar, c);
  if (result < 0) fail("cannot describe a stream", result);
  stream->time_base = c->time_base;
  // The MPEG muxers size their buffers from the encoder's buffer description.
  for (int i = 0; i < c->nb_coded_side_data; ++i) {
    const AVPacketSideData& side = c->coded_side_data[i];
    uint8_t* copy = av_stream_new_side_data(stream, side.type, side.size);
    if (copy) memcpy(copy, side.data, side.size);
  }
  if (c->codec_type == AVMEDIA_TYPE_VIDEO) {
    stream->avg_frame_rate = c->framerate;
    stream->sample_aspect_ratio = c->sample_aspect_ratio;
  }
  return stream->index;
}

void Muxer::start() {
  int result = avio_open(&format_->pb, file_.string().c_str(), AVIO_FLAG_WRITE);
  if (result < 0) fail("cannot create the file", result);
  AVDictionary* options = nullptr;
  if (muxRate_ > 0) av_dict_set_int(&options, "muxrate", muxRate_, 0);
  if (fastStart_) av_dict_set(&options, "movflags", "+faststart", 0);
  result = avformat_write_header(format_.get(), &options);
  av_dict_free(&options);
  if (result < 0) fail("cannot write the file header", result);
}

void Muxer::write(AVPacket* packet, int streamIndex, const AVCodecContext* source) {
  AVStream* stream = format_->streams[streamIndex];
  av_packet_rescale_ts(packet, source->time_base, stream->time_base);
  packet->stream_index = streamIndex;
  const int result = av_interleaved_write_frame(format_.get(), packet);
  if (result < 0) fail("cannot write", result);
  if (format_->pb->error < 0) fail("cannot write", format_->pb->error);
}

void Muxer::finish() {
  int result = av_write_trailer(format_.get());
  if (result < 0) fail("cannot finish the file", result);
  avio_flush(format_->pb);
  if (format_->pb->error < 0) fail("cannot write", format_->pb->error);
  result = avio_closep(&format_->pb);
  if (result < 0) fail("cannot close the file", result);
}

void Muxer::fail(const QString& action, int code) const {
  throw Error(QString("%1: %2 (%3)").arg(fileText(shownAs_), action, av::errorText(code)));
}

// --- PictureFileSink -------------------------------------------------------------------------

PictureFileSink::PictureFileSink(const std::filesystem::path& first) : folder_(first.parent_path()) {
  const std::string stem = first.stem().string();
  ending_ = first.extension().string();
  bool numeric = !stem.empty();
  for (const char ch : stem) numeric = numeric && ch >= '0' && ch <= '9';
  if (numeric && stem.size() < 10) {
    firstNumber_ = std::stoll(stem);
    digits_ = static_cast<int>(stem.size());
  }
}

std::filesystem::path PictureFileSink::nameOf(long long index) const {
  char number[32];
  std::snprintf(number, sizeof number, "%0*lld", digits_, firstNumber_ + index);
  return folder_ / (std::string(number) + ending_);
}

void PictureFileSink::write(AVPacket* packet, int, const AVCodecContext*) {
  const std::filesystem::path target = nameOf(static_cast<long long>(written_.size()));
  std::filesystem::path temporary = target;
  temporary += ".part";
  std::FILE* out = std::fopen(temporary.string().c_str(), "wb");
  if (!out) {
    const std::error_code error(errno, std::generic_category());
    throw Error(QString("%1: cannot create the file (%2)")
                    .arg(fileText(target), QString::fromStdString(error.message())));
  }
  const bool wrote = std::fwrite(packet->data, 1, packet->size, out) == static_cast<size_t>(packet->size);
  const int writeErrno = errno;
  const bool closed = std::fclose(out) == 0;
  if (!wrote || !closed) {
    const std::error_code error(wrote ? errno : writeErrno, std::generic_category());
    std::filesystem::remove(temporary);
    throw Error(QString("%1: cannot write (%2)").arg(fileText(target), QString::fromStdString(error.message())));
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, target, renameError);
  if (renameError) {
    std::filesystem::remove(temporary);
    throw Error(QString("%1: cannot write (%2)")
                    .arg(fileText(target), QString::fromStdString(renameError.message())));
  }
  written_.push_back(target);
}

}  // namespace solvane
