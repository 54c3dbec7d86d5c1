#include "render/pool_thread.h"

#include <exception>

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

namespace solvane {

void runOnPoolThread(const std::function<void()>& work) {
  QThreadPool* pool = QThreadPool::globalInstance();
  if (pool->contains(QThread::currentThread())) {
    work();
    return;
  }
  QSemaphore done;
  std::exception_ptr failure;
  const bool started = pool->tryStart([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    done.release();
  });
  if (!started) {
    work();
    return;
  }
  done.acquire();
  if (failure) std::rethrow_exception(failure);
}

void runAsAlbumPainter(const std::function<void()>& work) {
  constexpr int kFewCores = 4;
  if (QThread::idealThreadCount() <= kFewCores)
    runOnPoolThread(work);
  else
    work();
}

}  // namespace solvane
