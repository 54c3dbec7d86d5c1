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
// MP4 is constant quality; only its peak is capped, so that a 1080p album (8.3 Mb/s at most)
// streams over an ordinary home connection. The buffer holds two seconds at the peak rate:
// a hand-over may spend more for a moment, the stream as a whole cannot.
constexpr double kMp4PeakBitsPerPixel = 0.16;
constexpr long long kMp4BufferSeconds = 2;
// Chosen by measurement on album frames (README, "Choosing the MP4 settings", bench_mp4_settings):
// only x264's quickest preset encodes 1080p as fast as the DVD kind on two cores, and album
// frames keep far more than 40 dB with it. The 8 x 8 transform makes the stream High profile
// and CABAC makes it an eighth smaller, for a few percent more time.
constexpr double kMp4Crf = 22;
constexpr const char* kMp4Preset = "ultrafast";
constexpr const char* kMp4PresetChanges = "8x8dct=1:cabac=1";
// Players seek in steps of keyframes; two seconds keeps seeking and joining a stream quick.
constexpr int kMp4KeyframeInterval = 50;
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

// High-definition sizes get the BT.709 matrix that players assume for them; smaller ones keep
// BT.601, and both say so in the stream.
ColourSystem mp4Colours(int width, int height) {
  return width >= 1280 || height >= 720 ? ColourSystem::Bt709Tagged : ColourSystem::Bt601Tagged;
}

OutputProfile mp4Profile(int width, int height) {
  OutputProfile p;
  p.kind = OutputKind::Mp4;
  p.muxer = "mp4";
  p.fastStart = true;  // a browser starts playing before the whole file has arrived
  VideoSettings& v = p.video;
  v.codec = "libx264";
  v.pixelFormat = "yuv420p";
  v.width = width;
  v.height = height;
  setRate(v, TvStandard::Pal);  // 25 whatever the TV system: the frames are made at 25
  v.gopSize = kMp4KeyframeInterval;
  v.maxBFrames = -1;
  v.crf = kMp4Crf;
  v.preset = kMp4Preset;
  v.x264Params = kMp4PresetChanges;
  v.profile = "high";
  v.maxRate = videoRate(kMp4PeakBitsPerPixel, width, height);
  v.bufferSize = v.maxRate * kMp4BufferSeconds;
  v.level = h264LevelFor(width, height, v.maxRate, v.bufferSize);
  v.colours = mp4Colours(width, height);
  p.audio = AudioSettings{"aac", 48000, 192'000};  // FFmpeg's own AAC-LC encoder
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
  if (lower == "mp4") return mp4Profile(evenWidth, evenHeight);
  if (lower == "jpg" || lower == "jpeg") return pictureProfile(ending, evenWidth, evenHeight);
  if (lower == "bmp" || lower == "tga" || lower == "pcx") return pictureProfile(ending, width, height);
  throw Error(QString("%1: no output kind is known for the ending \"%2\" (expected .avi, .mp4, "
                      ".jpg, .bmp, .tga or .pcx, or an MPEG preset)")
                  .arg(videoFile, ending));
}

int h264LevelFor(int width, int height, long long maxRate, long long bufferSize) {
  // The level limits of H.264 Annex A (table A-1): frame size and macroblocks per second; bit
  // rate and buffer in kbit for the Baseline and Main profiles, which High allows 1.25 times.
  struct Level {
    int idc;
    long long frameMacroblocks;
    long long macroblocksPerSecond;
    long long kbitRate;
    long long kbitBuffer;
  };
  static constexpr Level kLevels[] = {
      {10, 99, 1485, 64, 175},           {11, 396, 3000, 192, 500},
      {12, 396, 6000, 384, 1000},        {13, 396, 11880, 768, 2000},
      {20, 396, 11880, 2000, 2000},      {21, 792, 19800, 4000, 4000},
      {22, 1620, 20250, 4000, 4000},     {30, 1620, 40500, 10000, 10000},
      {31, 3600, 108000, 14000, 14000},  {32, 5120, 216000, 20000, 20000},
      {40, 8192, 245760, 20000, 25000},  {41, 8192, 245760, 50000, 62500},
      {42, 8704, 522240, 50000, 62500},  {50, 22080, 589824, 135000, 135000},
      {51, 36864, 983040, 240000, 240000}, {52, 36864, 2073600, 240000, 240000},
  };
  const long long columns = (width + 15) / 16;
  const long long rows = (height + 15) / 16;
  const long long macroblocks = columns * rows;
  for (const Level& level : kLevels) {
    // Neither side of the picture may exceed sqrt(8 × frame size) macroblocks.
    const bool fits = macroblocks <= level.frameMacroblocks && columns * columns <= 8 * level.frameMacroblocks &&
                      rows * rows <= 8 * level.frameMacroblocks &&
                      macroblocks * 25 <= level.macroblocksPerSecond && maxRate <= level.kbitRate * 1250 &&
                      bufferSize <= level.kbitBuffer * 1250;
    if (fits) return level.idc;
  }
  return 52;
}

QString describeProfile(const OutputProfile& p) {
  static const char* const kNames[] = {"VCD", "SVCD", "DVD", "AVI", "MP4", "pictures"};
  QString text = QString("%1: %2 %3x%4 %5/%6 fps")
                     .arg(kNames[static_cast<int>(p.kind)])
                     .arg(QString::fromStdString(p.video.codec))
                     .arg(p.video.width)
                     .arg(p.video.height)
                     .arg(p.video.rateNum)
                     .arg(p.video.rateDen);
  if (p.video.bitRate > 0) text += QString(" %1 Mb/s").arg(p.video.bitRate / 1e6, 0, 'f', 1);
  if (p.video.crf > 0) {
    text += QString(" CRF %1 (%2), peak %3 Mb/s")
                .arg(p.video.crf)
                .arg(QString::fromStdString(p.video.preset))
                .arg(p.video.maxRate / 1e6, 0, 'f', 1);
  }
  if (p.audio) {
    text += QString(", %1 %2 Hz %3 kb/s")
                .arg(QString::fromStdString(p.audio->codec))
                .arg(p.audio->sampleRate)
                .arg(p.audio->bitRate / 1000);
  }
  return text;
}

}  // namespace solvane
