#pragma once
// Drives a Converter the way the render driver does: every frame entry names the same frame
// path, picture 0 is published before the conversion and the video function of frame i
// publishes picture i + 1.
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <QImage>

#include "render/converter.h"

namespace solvane::test {

// A distinct flat colour for picture k, away from the extremes that video ranges clip.
QRgb pictureColour(int k);
QImage albumPicture(int k, int width, int height);

struct AlbumSpec {
  std::optional<FormatPreset> preset;
  TvStandard standard = TvStandard::Pal;
  int width = 320;
  int height = 180;
  int pictures = 20;
  std::vector<std::filesystem::path> songs;
  bool truncate = true;
  bool keepDuration = true;
  // Called from the video function with the frame index; may abort the converter.
  std::function<void(Converter&, int)> onFrame;
};

struct AlbumResult {
  bool ok = false;
  int error = 0;
  QString errorText;
  std::vector<int> reportedErrors;  // codes seen by the error callback
  std::vector<int> statuses;        // progress statuses in order
};

AlbumResult convertAlbum(const AlbumSpec& spec, const std::filesystem::path& output,
                         const std::filesystem::path& framePath);

}  // namespace solvane::test
