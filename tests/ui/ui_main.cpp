// The window tests start one QApplication on the offscreen platform: real widgets, no display.
#include <cstdlib>

#include <QApplication>

#include <gtest/gtest.h>

#include "support/fixtures.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  solvane::test::prepareTestEnvironment();
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
