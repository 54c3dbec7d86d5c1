#pragma once
// The fuzz targets: each hands one input to a parser through the calls the program makes.
// The libFuzzer programs (tests/fuzz/targets/fuzz_main.cpp) and the corpus replay test of
// the ordinary build run the same bodies.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <QByteArray>

namespace solvane::fuzz {

// libFuzzer's own byte mutation (LLVMFuzzerMutate): mutates data[0, size) in place, at most
// up to maxSize bytes, and returns the new size.
using ByteMutator = std::size_t (*)(std::uint8_t* data, std::size_t size, std::size_t maxSize);

struct Target {
  const char* name;  // also the corpus folder tests/fuzz/corpus/<name>
  void (*run)(const QByteArray& input);
  // A mutation that knows the input's structure, or null for libFuzzer's byte mutations.
  // Returns the mutated input (empty when it has nothing better than the plain mutation).
  QByteArray (*mutate)(const QByteArray& input, std::size_t maxSize, unsigned seed,
                       ByteMutator bytes) = nullptr;
};

// Every target, in a fixed order. A body returns normally for input the program refuses
// with its Error; anything else (a crash, another exception, a sanitizer report) is a fault.
const std::vector<Target>& targets();
const Target* findTarget(const char* name);

}  // namespace solvane::fuzz
