#pragma once
// Media helpers for tests: small generated sound files, and a reader that reopens encoded
// albums with libavformat to check what was really written.
#include <filesystem>
#include <string>
#include <vector>

#include <QImage>

namespace solvane::test {

// A sine tone (440 Hz unless told) as MP3 (or WAV) of the given length, rate and channels.
void makeToneMp3(const std::filesystem::path& path, double seconds, int sampleRate, int channels,
                 double frequency = 440.0);
void makeToneWav(const std::filesystem::path& path, double seconds, int sampleRate, int channels,
                 double frequency = 440.0);

struct StreamFacts {
  bool present = false;
  std::string codec;       // codec name, e.g. "mpeg2video", "mp2"
  std::string profile;     // e.g. "High", "LC"; empty when the codec names none
  std::string pixelFormat; // e.g. "yuv420p"
  std::string colourSpace; // matrix the stream declares, e.g. "bt709"; "unknown" when it says none
  int level = 0;           // H.264: 10 × level number
  int width = 0;
  int height = 0;
  double frameRate = 0;    // frames per second
  long long frames = 0;    // decoded video frames
  int sampleRate = 0;
  int channels = 0;
  long long samples = 0;   // decoded sound samples per channel
  std::vector<double> keyFrameTimes;  // seconds of the key frames (video), in stream order
  double seconds() const { return frames > 0 ? frames / frameRate : double(samples) / sampleRate; }
};

struct MediaFacts {
  std::string container;  // libavformat demuxer name, e.g. "mpeg", "avi"
  double seconds = 0;     // the container's duration
  StreamFacts video;
  StreamFacts audio;
  std::vector<QImage> pictures;  // the decoded video frames asked for, in frame order, RGB32
};

// Decodes the whole file; keeps the pictures of the frame numbers in `keepFrames`.
MediaFacts readMedia(const std::filesystem::path& path, const std::vector<long long>& keepFrames = {});

// The top-level boxes of an MP4 file in file order, e.g. {"ftyp", "moov", "mdat"}.
std::vector<std::string> mp4Boxes(const std::filesystem::path& path);

// Mean absolute difference per channel between a pixel and an expected colour (0 … 255).
int colourDistance(QRgb a, QRgb b);

}  // namespace solvane::test
