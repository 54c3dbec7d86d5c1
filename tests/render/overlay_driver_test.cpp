// The overlay plugged into the render driver: captions and lyrics reach the published
// frames from the frame after they start, and never the opening pictures of the movies.
#include <vector>

#include <gtest/gtest.h>

#include "effects/text_motion.h"
#include "model/project.h"
#include "model/text_codec.h"
#include "model/workspace.h"
#include "render/frame_overlay.h"
#include "render/render_driver.h"
#include "support/album_fixtures.h"
#include "support/fixtures.h"
#include "support/overlay_fixtures.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

const QColor kFirst("#ff0000");
const QColor kSecond("#00ff00");
const QColor kClosing("#0000ff");
constexpr QRgb kCaption = qRgb(255, 255, 0);  // clYellow, 65535
const QRect kCaptionBand(0, 80, 1920, 160);

int captionPixels(const QImage& picture) {
  return test::countColour(picture, kCaptionBand, kCaption, 12);
}

TEST(OverlayInTheDriver, CaptionsReachTheFramesButNeverTheOpeningPictures) {
  test::ScratchDir dir;
  Workspace workspace(dir.qpath(), dir.qpath());
  Project project;
  TemplatePlayer player;
  RenderDriver driver(project, workspace, player);
  test::stageClosingMovie(workspace, test::markerMovie(100, kClosing));
  test::stageInstance(project, workspace, 1, test::markerMovie(30, kFirst), 30);
  test::stageInstance(project, workspace, 2, test::markerMovie(20, kSecond), 20);
  project.ListView_Label.append({"生日快乐", "00:00", "暂无", "tingzhi", motion::congzuoxiangyou,
                                 "0", "100", "从左向右", "clYellow", "黑体", "20", "0", "0", "0",
                                 "65535"});
  FrameOverlay overlay(project);

  QImage latest;
  std::vector<int> seen;
  std::vector<int> openings;
  driver.setFramePublisher([&](const QImage& frame) { latest = frame; });
  OverlayHooks hooks = overlay.hooks();
  const auto show = hooks.showOverlays;
  hooks.showOverlays = [&, show] {
    openings.push_back(captionPixels(
        QImage(workspace.WorkPath("smxcwjj\\tp_wjj\\pic\\picture_0.rar"), "JPG")));
    show();
  };
  driver.setOverlayHooks(hooks);
  driver.StartAlbum();
  for (long long i = 0; i < driver.frameCount(); ++i) {
    seen.push_back(captionPixels(latest));
    driver.FrameStep();
  }

  ASSERT_EQ(seen.size(), 150u);
  EXPECT_EQ(seen[0], 0) << "the black start picture";
  EXPECT_EQ(seen[1], 0) << "composed before the first step starts the caption";
  // It enters from the left 3 pixels per frame, on every frame, across the movie change.
  for (int k = 8; k < 150; ++k) EXPECT_GT(seen[k], 0) << "album frame " << k;
  EXPECT_GT(seen[60], seen[20]);
  ASSERT_GE(openings.size(), 3u);
  for (int pixels : openings) EXPECT_EQ(pixels, 0);
  EXPECT_EQ(project.ListView_Label.cell(0, 3), "qidong");
}

}  // namespace
}  // namespace solvane
