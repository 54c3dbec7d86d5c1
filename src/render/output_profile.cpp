#include "render/output_profile.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "model/error.h"

namespace solvane {
namespace {

// Bits per pixel and frame at 25 frames per second. Slideshow pictures are mostly still or in
// slow motion, so these rates keep 1080p and 720p photographs free of visible blocking while
// staying within what players of each kind read comfortably.
constexpr double kVcdBitsPerPixel = 0.36;
constexpr double kSvcdBitsPerPixel = 0.24;
constexpr double kDvdBitsPerPixel = 0.30;
constexpr double kAviBitsPerPixel = 0.20;
constexpr long long kMinimumVideoRate = 1'500'000;
// MPEG-1/2 decoders are specified with video buffers of this order; larger ones are refused by
// some players.
constexpr long long kMpegBufferBits = 9'781'248;

long long videoRate(double bitsPerPixel, int width, int height) {
  const double rate = bitsPerPixel * width * height * 25.0;
  const long long rounded = static_cast<long long>(std::lround(rate / 100'000.0)) * 100'000;
  return std::max(kMinimumVideoRate, rounded);
}

void setMpegRates(VideoSettings& video, double bitsPerPixel) {
  video.bitRate = videoRate(bitsPerPixel, video.width, video.height);
  video.maxRate = video.bitRate * 3 / 2;
  video.bufferSize = kMpegBufferBits;
}

void setRate(VideoSettings& video, TvStandard standard) {
  if (standard == TvStandard::Ntsc) {
    video.rateNum = 30000;
    video.rateDen = 1001;
    video.gopSize = 18;
  } else {
    video.rateNum = 25;
    video.rateDen = 1;
    video.gopSize = 15;
  }
}

OutputProfile mpegProfile(FormatPreset preset, TvStandard standard, int width, int height) {
  OutputProfile p;
  p.video.width = width;
  p.video.height = height;
  p.video.pixelFormat = "yuv420p";
  p.video.maxBFrames = 2;
  setRate(p.video, standard);
  switch (preset) {
    case FormatPreset::Vcd:
      p.kind = OutputKind::Vcd;
      p.muxer = "mpeg";
      p.video.codec = "mpeg1video";
      setMpegRates(p.video, kVcdBitsPerPixel);
      p.audio = AudioSettings{"mp2", 44100, 224'000};
      break;
    case FormatPreset::Svcd:
      p.kind = OutputKind::Svcd;
      p.muxer = "svcd";
      p.video.codec = "mpeg2video";
      setMpegRates(p.video, kSvcdBitsPerPixel);
      p.audio = AudioSettings{"mp2", 44100, 224'000};
      break;
    case FormatPreset::Dvd:
      p.kind = OutputKind::Dvd;
      p.muxer = "dvd";
      p.video.codec = "mpeg2video";
      setMpegRates(p.video, kDvdBitsPerPixel);
      // AC-3 is the sound every DVD player plays, PAL and NTSC alike.
      p.audio = AudioSettings{"ac3", 48000, 192'000};
      break;
  }
  // Room for the peaks of the video, the sound and the pack headers.
  p.muxRate = (p.video.maxRate + p.audio->bitRate) * 11 / 10;
  return p;
}

OutputProfile aviProfile(int width, int height) {
  OutputProfile p;
  p.kind = OutputKind::Avi;
  p.muxer = "avi";
  p.video.codec = "mpeg4";
  p.video.pixelFormat = "yuv420p";
  p.video.width = width;
  p.video.height = height;
  setRate(p.video, TvStandard::Pal);
  p.video.gopSize = 250;
  p.video.maxBFrames = 2;
  p.video.bitRate = videoRate(kAviBitsPerPixel, width, height);
  p.video.maxRate = 0;
  p.video.bufferSize = 0;
  p.video.codecTag = "XVID";  // the tag desktop players know MPEG-4 Part 2 in AVI by
  const bool haveLame = avcodec_find_encoder_by_name("libmp3lame") != nullptr;
  p.audio = AudioSettings{haveLame ? "libmp3lame" : "mp2", 44100, 192'000};
  return p;
}

OutputProfile pictureProfile(const QString& ending, int width, int height) {
  OutputProfile p;
  p.kind = OutputKind::Pictures;
  p.pictureEnding = ending;
  p.video.width = width;
  p.video.height = height;
  setRate(p.video, TvStandard::Pal);
  const QString lower = ending.toLower();
  if (lower == "jpg" || lower == "jpeg") {
    p.video.codec = "mjpeg";
    p.video.pixelFormat = "yuvj420p";
    p.video.jpegQuality = 90;  // the quality of every JPEG this system writes
  } else if (lower == "bmp") {
    p.video.codec = "bmp";
    p.video.pixelFormat = "bgr24";
  } else if (lower == "tga") {
    p.video.codec = "targa";
    p.video.pixelFormat = "bgr24";
  } else if (lower == "pcx") {
    p.video.codec = "pcx";
    p.video.pixelFormat = "rgb24";
  }
  return p;
}

}  // namespace

OutputProfile chooseProfile(std::optional<FormatPreset> preset, TvStandard standard,
                            const QString& videoFile, int width, int height) {
  if (width <= 0 || height <= 0) throw Error(QString("invalid frame size %1 x %2").arg(width).arg(height));
  // Encoders of the 4:2:0 kinds need even sizes.
  const int evenWidth = width & ~1;
  const int evenHeight = height & ~1;
  if (preset) return mpegProfile(*preset, standard, evenWidth, evenHeight);
  const QString ending = QFileInfo(videoFile).suffix();
  const QString lower = ending.toLower();
  if (lower == "avi") return aviProfile(evenWidth, evenHeight);
  if (lower == "jpg" || lower == "jpeg") return pictureProfile(ending, evenWidth, evenHeight);
  if (lower == "bmp" || lower == "tga" || lower == "pcx") return pictureProfile(ending, width, height);
  throw Error(QString("%1: no output kind is known for the ending \"%2\" (expected .avi, .jpg, "
                      ".bmp, .tga or .pcx, or an MPEG preset)")
                  .arg(videoFile, ending));
}

QString describeProfile(const OutputProfile& p) {
  static const char* const kNames[] = {"VCD", "SVCD", "DVD", "AVI", "pictures"};
  QString text = QString("%1: %2 %3x%4 %5/%6 fps")
                     .arg(kNames[static_cast<int>(p.kind)])
                     .arg(QString::fromStdString(p.video.codec))
                     .arg(p.video.width)
                     .arg(p.video.height)
                     .arg(p.video.rateNum)
                     .arg(p.video.rateDen);
  if (p.video.bitRate > 0) text += QString(" %1 Mb/s").arg(p.video.bitRate / 1e6, 0, 'f', 1);
  if (p.audio) {
    text += QString(", %1 %2 Hz %3 kb/s")
                .arg(QString::fromStdString(p.audio->codec))
                .arg(p.audio->sampleRate)
                .arg(p.audio->bitRate / 1000);
  }
  return text;
}

}  // namespace solvane
