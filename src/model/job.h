#pragma once
// Long work (import, staging, rendering, encoding) runs as a job: it reports progress as
// done/total through a callback and checks a stop token in its inner loops.
#include <functional>
#include <stop_token>

#include "model/error.h"

namespace solvane {

struct JobControl {
  // Called with the steps done so far and the total; may run on a worker thread.
  std::function<void(long long done, long long total)> progress;
  std::stop_token stop;

  void report(long long done, long long total) const {
    if (progress) progress(done, total);
  }
  bool stopRequested() const { return stop.stop_requested(); }
  // Throws Cancelled when the user asked to stop.
  void checkStop() const {
    if (stop.stop_requested()) throw Cancelled();
  }
};

}  // namespace solvane
