#pragma once
// Runs work(i) for i = 0 … count − 1 on a few threads. Items are independent; each writes
// only its own results, so the outcome does not depend on the order in which they run.
#include <functional>

namespace solvane {

// `threads` ≤ 0 uses one thread per core. Returns when every item has run. work must not
// throw.
void parallelFor(int count, int threads, const std::function<void(int)>& work);

}  // namespace solvane
