#include "render/pool_thread.h"

#include <stdexcept>

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include "model/error.h"

namespace solvane {
namespace {

bool onPoolThread() { return QThreadPool::globalInstance()->contains(QThread::currentThread()); }

TEST(PoolThread, WorkRunsOnAPoolThreadAndIsDoneOnReturn) {
  ASSERT_FALSE(onPoolThread());
  bool ranOnPool = false;
  int steps = 0;
  runOnPoolThread([&] {
    ranOnPool = onPoolThread();
    for (int i = 0; i < 1000; ++i) ++steps;
  });
  EXPECT_TRUE(ranOnPool);
  EXPECT_EQ(steps, 1000);
}

TEST(PoolThread, AFailureReachesTheCallerWithItsMessage) {
  try {
    runOnPoolThread([] { throw Error(QStringLiteral("album.mpg: cannot write")); });
    FAIL() << "the error was swallowed";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("album.mpg: cannot write"));
  }
  EXPECT_THROW(runOnPoolThread([] { throw std::runtime_error("other"); }), std::runtime_error);
}

TEST(PoolThread, WorkStartedFromAPoolThreadRunsInPlaceInsteadOfWaitingForTheFullPool) {
  QThreadPool* pool = QThreadPool::globalInstance();
  const int before = pool->maxThreadCount();
  pool->setMaxThreadCount(1);  // the outer work holds the only thread
  QThread* outer = nullptr;
  QThread* inner = nullptr;
  runOnPoolThread([&] {
    outer = QThread::currentThread();
    runOnPoolThread([&] { inner = QThread::currentThread(); });
  });
  pool->setMaxThreadCount(before);
  EXPECT_NE(outer, nullptr);
  EXPECT_EQ(inner, outer);
}

}  // namespace
}  // namespace solvane
