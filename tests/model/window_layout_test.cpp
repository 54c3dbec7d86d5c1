#include "model/window_layout.h"

#include <gtest/gtest.h>

namespace solvane {
namespace {

struct StartSizeCase {
  QSize screen;
  QSize window;
};

class StartLayout : public testing::TestWithParam<StartSizeCase> {};

TEST_P(StartLayout, IsSizedFromTheScreenAndCentred) {
  const auto& c = GetParam();
  EXPECT_EQ(startLayoutSize(c.screen), c.window);
  const QRect placed = layoutGeometry(WindowLayout::Start, QRect(QPoint(0, 0), c.screen));
  EXPECT_EQ(placed.size(), c.window);
  EXPECT_LE(std::abs(placed.center().x() - c.screen.width() / 2), 1);
  EXPECT_LE(std::abs(placed.center().y() - c.screen.height() / 2), 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, StartLayout,
                         testing::Values(StartSizeCase{{1366, 768}, {1083, 678}},
                                         StartSizeCase{{1024, 768}, {1002, 561}},
                                         StartSizeCase{{1920, 1080}, {1280, 720}},
                                         StartSizeCase{{2560, 1440}, {1280, 720}},
                                         StartSizeCase{{1920, 1200}, {1280, 720}},
                                         StartSizeCase{{1600, 900}, {1270, 795}}));

TEST(WindowLayouts, FittedLeavesAHundredPixelsAndFullCoversTheScreen) {
  const QRect screen(0, 0, 1366, 768);
  EXPECT_EQ(layoutGeometry(WindowLayout::Fitted, screen), QRect(50, 50, 1266, 668));
  EXPECT_EQ(layoutGeometry(WindowLayout::Full, screen), screen);
  // A second screen to the right keeps its own origin.
  EXPECT_EQ(layoutGeometry(WindowLayout::Full, QRect(1366, 0, 1920, 1080)), QRect(1366, 0, 1920, 1080));
}

TEST(WindowLayouts, TitleDoubleClickTogglesBetweenStartAndFullScreen) {
  EXPECT_EQ(layoutAfterTitleDoubleClick(WindowLayout::Start), WindowLayout::Full);
  EXPECT_EQ(layoutAfterTitleDoubleClick(WindowLayout::Full), WindowLayout::Start);
  EXPECT_EQ(layoutAfterTitleDoubleClick(WindowLayout::Fitted), WindowLayout::Start);
  for (WindowLayout l : {WindowLayout::Start, WindowLayout::Fitted, WindowLayout::Full})
    EXPECT_EQ(layoutFromWord(layoutWord(l)), l);
  EXPECT_EQ(layoutWord(WindowLayout::Start), "kaishibuju");
  EXPECT_EQ(layoutFromWord("nonsense"), WindowLayout::Start);
}

}  // namespace
}  // namespace solvane
