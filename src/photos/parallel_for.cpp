#include "photos/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace solvane {

void parallelFor(int count, int threads, const std::function<void(int)>& work) {
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = std::min(threads, count);
  std::atomic<int> next{0};
  auto run = [&] {
    for (int i = next++; i < count; i = next++) work(i);
  };
  std::vector<std::jthread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(run);
  run();
}

}  // namespace solvane
