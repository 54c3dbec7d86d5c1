#include "photos/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace solvane {

int parallelWorkers(int threads) {
  return threads > 0 ? threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void parallelFor(int count, int threads, const std::function<void(int item, int worker)>& work) {
  const int workers = std::min(parallelWorkers(threads), count);
  std::atomic<int> next{0};
  auto run = [&](int worker) {
    for (int i = next++; i < count; i = next++) work(i, worker);
  };
  std::vector<std::jthread> pool;
  for (int w = 1; w < workers; ++w) pool.emplace_back(run, w);
  run(0);
}

}  // namespace solvane
