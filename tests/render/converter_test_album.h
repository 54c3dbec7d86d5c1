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
// The size of the pictures convertAlbum publishes.
inline constexpr int kPictureWidth = 480;
inline constexpr int kPictureHeight = 270;

struct AlbumPlan {
  std::optional<FormatPreset> preset;
  // The pictures handed over, picture k of this size in pictureColour(k); `still`: every
  // picture in the colour of picture 0.
  int pictureWidth = kPictureWidth;
  int pictureHeight = kPictureHeight;
  bool still = false;
  TvStandard standard = TvStandard::Pal;
  int width = 320;  // 0: no frame size call, the pictures' own size (480 x 270) is kept
  int height = 180;
  int pictures = 20;
  std::vector<std::filesystem::path> songs;
  bool truncate = true;
  bool keepDuration = true;
  int errorAction = mcl_action::kStop;  // what the error callback hands back
  // Called from the video function with the frame index; may abort the converter.
  std::function<void(Converter&, int)> onFrame;
};

struct AlbumResult {
  bool ok = false;
  int error = 0;
  QString errorText;
  std::vector<int> reportedErrors;  // codes seen by the error callback
  std::vector<int> statuses;        // progress statuses in order
  int videoFunctionCalls = 0;
};

AlbumResult convertAlbum(const AlbumPlan& plan, const std::filesystem::path& output,
                         const std::filesystem::path& framePath);

}  // namespace solvane::test
