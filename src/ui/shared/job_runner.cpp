#include "ui/shared/job_runner.h"

#include <algorithm>
#include <exception>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QMetaObject>
#include <QPointer>

#include "model/error.h"

namespace solvane::ui {

namespace {

constexpr int kProgressIntervalMs = 50;
// Jobs keep both cores busy (decoding, painting, encoding); a little less priority than the
// user-interface thread lets the window answer at once whenever it has something to do. The
// threads a job starts (encoder, scaler, pool) inherit it.
constexpr int kJobNiceness = 5;

void lowerThisThreadsPriority() {
  const auto tid = static_cast<id_t>(syscall(SYS_gettid));
  const int current = getpriority(PRIO_PROCESS, tid);
  setpriority(PRIO_PROCESS, tid, std::min(19, current + kJobNiceness));
}

}  // namespace

JobRunner::JobRunner(QObject* parent) : QObject(parent) {
  progressTimer_.setInterval(kProgressIntervalMs);
  connect(&progressTimer_, &QTimer::timeout, this, &JobRunner::publishProgress);
}

JobRunner::~JobRunner() {
  if (worker_.joinable()) {
    worker_.request_stop();
    worker_.join();
  }
}

void JobRunner::start(Work work) {
  if (running_) return;
  if (worker_.joinable()) worker_.join();
  running_ = true;
  shared_ = std::make_shared<Shared>();
  progressTimer_.start();

  QPointer<JobRunner> self(this);
  std::shared_ptr<Shared> shared = shared_;
  worker_ = std::jthread([self, shared, work = std::move(work)](std::stop_token stop) {
    lowerThisThreadsPriority();
    JobControl control;
    control.stop = stop;
    control.progress = [shared](long long done, long long total) {
      shared->done = done;
      shared->total = total;
      shared->changed = true;
    };
    Outcome outcome = Outcome::Succeeded;
    QString message;
    try {
      work(control);
      if (stop.stop_requested()) outcome = Outcome::Stopped;
    } catch (const Cancelled&) {
      outcome = Outcome::Stopped;
    } catch (const Error& e) {
      outcome = Outcome::Failed;
      message = e.message();
    } catch (const std::exception& e) {
      outcome = Outcome::Failed;
      message = QString::fromUtf8(e.what());
    } catch (...) {
      outcome = Outcome::Failed;
      message = QStringLiteral("unexpected failure");
    }
    // The runner may be gone by now (its destructor joins this thread, so it is not yet
    // destroyed while the call is queued; the pointer check covers the queue afterwards).
    QMetaObject::invokeMethod(
        self.data(),
        [self, outcome, message] {
          if (self) self->complete(outcome, message);
        },
        Qt::QueuedConnection);
  });
}

void JobRunner::requestStop() {
  if (worker_.joinable()) worker_.request_stop();
}

bool JobRunner::stopRequested() const {
  return worker_.joinable() && worker_.get_stop_token().stop_requested();
}

void JobRunner::publishProgress() {
  if (!shared_ || !shared_->changed.exchange(false)) return;
  Q_EMIT progress(shared_->done, shared_->total);
}

void JobRunner::complete(Outcome outcome, const QString& message) {
  progressTimer_.stop();
  publishProgress();
  if (worker_.joinable()) worker_.join();
  running_ = false;
  switch (outcome) {
    case Outcome::Succeeded: Q_EMIT succeeded(); break;
    case Outcome::Failed: Q_EMIT failed(message); break;
    case Outcome::Stopped: Q_EMIT stopped(); break;
  }
  Q_EMIT finished();
}

}  // namespace solvane::ui
