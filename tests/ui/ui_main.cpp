// The window tests start one QApplication on the offscreen platform: real widgets, no display.
#include <cstdlib>

#include <QApplication>

#include <gtest/gtest.h>

#include "support/fixtures.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  solvane::test::prepareTestEnvironment();
  // Qt Multimedia's GStreamer backend plays without a sound device; the others may not.
  qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
