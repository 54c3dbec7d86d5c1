#pragma once
// The fuzz targets: each hands one input to a parser through the calls the program makes.
// The libFuzzer programs (tests/fuzz/targets/fuzz_main.cpp) and the corpus replay test of
// the ordinary build run the same bodies.
#include <vector>

#include <QByteArray>

namespace solvane::fuzz {

struct Target {
  const char* name;  // also the corpus folder tests/fuzz/corpus/<name>
  void (*run)(const QByteArray& input);
};

// Every target, in a fixed order. A body returns normally for input the program refuses
// with its Error; anything else (a crash, another exception, a sanitizer report) is a fault.
const std::vector<Target>& targets();
const Target* findTarget(const char* name);

}  // namespace solvane::fuzz
