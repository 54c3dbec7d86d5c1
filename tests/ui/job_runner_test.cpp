// The job runner: outcomes come back on the user-interface thread, progress is throttled but
// its last figures arrive, a stop request ends the work, and nothing thrown escapes.
#include <atomic>
#include <thread>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include "model/error.h"
#include "ui/shared/job_runner.h"

namespace solvane {
namespace {

using ui::JobRunner;

// Runs the event loop until the runner has finished.
bool waitFinished(JobRunner& runner, QSignalSpy& finished) {
  return finished.count() > 0 || finished.wait(10000);
}

struct OutcomeCase {
  const char* name;
  JobRunner::Work work;
  const char* signal;  // the one outcome signal expected
  QString message;
};

TEST(JobRunner, EachEndingArrivesAsExactlyOneOutcomeOnTheUiThread) {
  const OutcomeCase cases[] = {
      {"success", [](const JobControl&) {}, "succeeded", {}},
      {"error", [](const JobControl&) { throw Error(QStringLiteral("photo.jpg: not a JPEG file")); },
       "failed", QStringLiteral("photo.jpg: not a JPEG file")},
      {"foreign exception", [](const JobControl&) { throw std::runtime_error("bad_alloc-like"); },
       "failed", QStringLiteral("bad_alloc-like")},
      {"cancelled", [](const JobControl&) { throw Cancelled(); }, "stopped", {}},
  };
  for (const OutcomeCase& c : cases) {
    JobRunner runner;
    QSignalSpy succeeded(&runner, &JobRunner::succeeded), failed(&runner, &JobRunner::failed),
        stopped(&runner, &JobRunner::stopped), finished(&runner, &JobRunner::finished);
    Qt::HANDLE uiThread = QThread::currentThreadId();
    Qt::HANDLE endThread = nullptr;
    QObject::connect(&runner, &JobRunner::finished, [&] { endThread = QThread::currentThreadId(); });
    runner.start(c.work);
    ASSERT_TRUE(waitFinished(runner, finished)) << c.name;
    EXPECT_EQ(succeeded.count(), QLatin1String(c.signal) == "succeeded" ? 1 : 0) << c.name;
    EXPECT_EQ(failed.count(), QLatin1String(c.signal) == "failed" ? 1 : 0) << c.name;
    EXPECT_EQ(stopped.count(), QLatin1String(c.signal) == "stopped" ? 1 : 0) << c.name;
    if (failed.count()) EXPECT_EQ(failed.first().first().toString(), c.message) << c.name;
    EXPECT_EQ(endThread, uiThread) << c.name;
    EXPECT_FALSE(runner.running());
  }
}

TEST(JobRunner, ProgressIsThrottledAndItsLastFiguresArrive) {
  JobRunner runner;
  QSignalSpy progress(&runner, &JobRunner::progress), finished(&runner, &JobRunner::finished);
  QElapsedTimer clock;
  clock.start();
  runner.start([](const JobControl& control) {
    for (int i = 1; i <= 300; ++i) {
      control.report(i, 300);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  ASSERT_TRUE(waitFinished(runner, finished));
  // 300 reports, but no more than 20 updates a second (plus the final one) reach the window.
  EXPECT_LE(progress.count(), clock.elapsed() / 50 + 2);
  ASSERT_GE(progress.count(), 1);
  EXPECT_EQ(progress.last().at(0).toLongLong(), 300);
  EXPECT_EQ(progress.last().at(1).toLongLong(), 300);
}

TEST(JobRunner, AStopRequestEndsTheWorkAsStopped) {
  JobRunner runner;
  QSignalSpy stopped(&runner, &JobRunner::stopped), finished(&runner, &JobRunner::finished);
  std::atomic<bool> started{false};
  runner.start([&](const JobControl& control) {
    started = true;
    for (;;) {
      control.checkStop();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  while (!started) QTest::qWait(1);
  runner.requestStop();
  ASSERT_TRUE(waitFinished(runner, finished));
  EXPECT_EQ(stopped.count(), 1);
}

TEST(JobRunner, DestroyingARunningRunnerStopsAndWaitsForItsWork) {
  std::atomic<bool> ended{false};
  {
    JobRunner runner;
    runner.start([&](const JobControl& control) {
      while (!control.stopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      ended = true;
    });
    QTest::qWait(10);
  }
  EXPECT_TRUE(ended);
  QTest::qWait(10);  // the queued outcome of a runner that is gone is dropped
}

}  // namespace
}  // namespace solvane
