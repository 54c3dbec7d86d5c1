#pragma once
// Long work off the user-interface thread. The work runs on a worker thread with a JobControl;
// its progress reaches the window at most 20 times a second (the last figures always arrive),
// and its end comes back on the user-interface thread as exactly one of succeeded, failed
// (with the error's message) or stopped. No exception leaves the worker.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include <QObject>
#include <QTimer>

#include "model/job.h"

namespace solvane::ui {

class JobRunner : public QObject {
  Q_OBJECT
 public:
  using Work = std::function<void(const JobControl& control)>;

  explicit JobRunner(QObject* parent = nullptr);
  // Asks a running job to stop and waits for it.
  ~JobRunner() override;

  // Starts `work`; only one job runs at a time.
  void start(Work work);
  // Asks the job to stop; it ends with stopped() (or, when it had already finished, as it
  // finished).
  void requestStop();
  bool running() const { return running_; }
  bool stopRequested() const;

 Q_SIGNALS:
  void progress(long long done, long long total);
  void succeeded();
  void failed(const QString& message);
  void stopped();
  // After any of the three above.
  void finished();

 private:
  enum class Outcome { Succeeded, Failed, Stopped };
  void publishProgress();
  void complete(Outcome outcome, const QString& message);

  struct Shared {
    std::atomic<long long> done{0};
    std::atomic<long long> total{0};
    std::atomic<bool> changed{false};
  };
  std::shared_ptr<Shared> shared_;
  std::jthread worker_;
  QTimer progressTimer_;
  bool running_ = false;
};

}  // namespace solvane::ui
