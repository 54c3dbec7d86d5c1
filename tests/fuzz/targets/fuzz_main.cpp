// One libFuzzer program per target: SOLVANE_FUZZ_TARGET names its body.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
  if (target->mutate) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray mutated = target->mutate(input, maxSize, seed, LLVMFuzzerMutate);
    if (!mutated.isEmpty() && static_cast<size_t>(mutated.size()) <= maxSize) {
      std::memcpy(data, mutated.constData(), static_cast<size_t>(mutated.size()));
      return static_cast<size_t>(mutated.size());
    }
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}
