// The hover tip beside the pointer, kept inside the screen on every side.
#include <gtest/gtest.h>

#include "model/tip_placement.h"

namespace solvane {
namespace {

TEST(TipPlacement, BesideThePointerAndPushedBackInsideTheScreen) {
  const QRect screen(0, 0, 1366, 768);
  const QSize tip(200, 40);
  const struct {
    const char* where;
    QPoint pointer;
    QPoint expected;
  } cases[] = {
      {"middle", {600, 300}, {580, 310}},
      {"left edge", {5, 300}, {8, 310}},
      {"right edge", {1360, 300}, {1366 - 200 - 5, 310}},
      {"bottom edge", {600, 750}, {580, 750 + 10 - 40 - 12}},
      {"bottom right corner", {1365, 767}, {1161, 725}},
  };
  for (const auto& c : cases) EXPECT_EQ(tipPlacement(c.pointer, tip, screen), c.expected) << c.where;
  // A second screen to the right keeps its own edges.
  EXPECT_EQ(tipPlacement({1370, 300}, tip, QRect(1366, 0, 1920, 1080)), QPoint(1374, 310));
}

}  // namespace
}  // namespace solvane
