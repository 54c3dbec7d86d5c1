// One libFuzzer program per target: SOLVANE_FUZZ_TARGET names its body.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>

#include "fuzz_bodies.h"
#include "model/fonts.h"

namespace {
const solvane::fuzz::Target* target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Unit measuring needs fonts, and fonts need a (headless) application.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  solvane::loadFontAliases();
  target = solvane::fuzz::findTarget(SOLVANE_FUZZ_TARGET);
  if (!target) {
    std::fprintf(stderr, "no fuzz target %s\n", SOLVANE_FUZZ_TARGET);
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  target->run(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                      static_cast<qsizetype>(size)));
  return 0;
}
