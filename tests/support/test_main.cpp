// Every test program starts one headless QGuiApplication: fonts, QPainter text and
// QImage formats need it, and the offscreen platform needs no display.
#include <cstdlib>

#include <QGuiApplication>

#include <gtest/gtest.h>

#include "support/fixtures.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  solvane::test::prepareTestEnvironment();
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
