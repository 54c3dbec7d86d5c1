#pragma once
// The single-instance rule: one running copy per working tree. The lock is an advisory
// lock on a file inside the tree, so the system drops it when the holder ends in any way,
// including a crash or a kill.
#include <memory>

#include <QString>

namespace solvane {

class InstanceLock {
 public:
  // Takes the lock on the file at `lockFile` (created when missing). Returns nullptr when
  // another process holds it. Throws Error when the file cannot be opened at all.
  static std::unique_ptr<InstanceLock> tryAcquire(const QString& lockFile);

  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace solvane
