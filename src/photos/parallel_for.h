#pragma once
// Runs work(i) for i = 0 … count − 1 on a few threads. Items are independent; each writes
// only its own results, so the outcome does not depend on the order in which they run.
#include <functional>

namespace solvane {

// The number of workers `threads` stands for: ≤ 0 means one per core.
int parallelWorkers(int threads);

// Calls work(item, worker) with worker in 0 … parallelWorkers(threads) − 1; one worker runs
// one item at a time, so per-worker resources need no lock. Returns when every item has
// run. work must not throw.
void parallelFor(int count, int threads, const std::function<void(int item, int worker)>& work);

}  // namespace solvane
