#pragma once
// What each output kind is made of: container, codecs, frame rate, bit rates. Chosen once per
// album from the preset (MPEG kinds) or from the ending of the output file (AVI, pictures).
#include <optional>
#include <string>

#include <QString>

#include "render/converter.h"

namespace solvane {

enum class OutputKind { Vcd, Svcd, Dvd, Avi, Pictures };

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
  int maxBFrames = 0;
  std::string codecTag;  // four-character code for the container, empty = default
  int jpegQuality = 0;   // JPEG pictures: the quality (1 … 100) whose tables are used, 0 = unused
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
  VideoSettings video;
  std::optional<AudioSettings> audio;  // absent for picture sequences
  QString pictureEnding;               // "JPG", "BMP", ... as written in the output name
};

// Throws Error when the file ending names no output kind we can write.
OutputProfile chooseProfile(std::optional<FormatPreset> preset, TvStandard standard,
                            const QString& videoFile, int width, int height);

// Short human description, e.g. "DVD: MPEG-2 1920x1080 15.5 Mb/s, AC-3 48 kHz".
QString describeProfile(const OutputProfile& profile);

}  // namespace solvane
