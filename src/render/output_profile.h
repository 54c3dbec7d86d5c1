#pragma once
// What each output kind is made of: container, codecs, frame rate, bit rates. Chosen once per
// album from the preset (MPEG kinds) or from the ending of the output file (AVI, MP4, pictures).
#include <optional>
#include <string>

#include <QString>

#include "render/converter.h"

namespace solvane {

enum class OutputKind { Vcd, Svcd, Dvd, Avi, Mp4, Pictures };

// How RGB pictures become YUV, and whether the stream says so.
enum class ColourSystem {
  Bt601,        // BT.601 matrix, nothing said: what the disc and AVI players of those kinds assume
  Bt601Tagged,  // BT.601 matrix, said in the stream (standard-definition MP4)
  Bt709Tagged,  // BT.709 matrix, said in the stream (high-definition MP4)
};

struct VideoSettings {
  std::string codec;        // libavcodec encoder name
  std::string pixelFormat;  // libav pixel format name the encoder is fed
  int width = 0;
  int height = 0;
  int rateNum = 25;  // output frames per second = rateNum / rateDen
  int rateDen = 1;
  long long bitRate = 0;  // 0 = constant quality (pictures)
  long long maxRate = 0;
  long long bufferSize = 0;
  int gopSize = 0;
  int maxBFrames = 0;  // -1: the encoder's preset decides
  std::string codecTag;  // four-character code for the container, empty = default
  int jpegQuality = 0;   // JPEG pictures: the quality (1 … 100) whose tables are used, 0 = unused
  ColourSystem colours = ColourSystem::Bt601;
  // H.264 (libx264) only: constant-quality factor with the peak capped by maxRate/bufferSize,
  // speed preset, changes to the preset ("key=value:key=value"), profile and level (40 = 4.0).
  // Empty or 0: not set.
  double crf = 0;
  std::string preset;
  std::string x264Params;
  std::string profile;
  int level = 0;
};

struct AudioSettings {
  std::string codec;
  int sampleRate = 44100;
  long long bitRate = 0;
};

struct OutputProfile {
  OutputKind kind = OutputKind::Dvd;
  std::string muxer;        // libavformat muxer name; empty for picture sequences
  long long muxRate = 0;    // bits per second for the MPEG program streams, 0 = muxer default
  bool fastStart = false;   // MP4: the index moved before the media data once the file is complete
  VideoSettings video;
  std::optional<AudioSettings> audio;  // absent for picture sequences
  QString pictureEnding;               // "JPG", "BMP", ... as written in the output name
};

// Throws Error when the file ending names no output kind we can write.
OutputProfile chooseProfile(std::optional<FormatPreset> preset, TvStandard standard,
                            const QString& videoFile, int width, int height);

// The H.264 level (10 × level number, e.g. 40) a stream of this size at 25 frames per second with
// the given peak rate and buffer fits in, for the High profile.
int h264LevelFor(int width, int height, long long maxRate, long long bufferSize);

// Short human description, e.g. "DVD: MPEG-2 1920x1080 15.5 Mb/s, AC-3 48 kHz".
QString describeProfile(const OutputProfile& profile);

}  // namespace solvane
