#pragma once
// A short queue between two threads of the conversion pipeline. push() waits while the queue
// is full, pop() while it is empty; close() lets the consumer finish what is queued, cancel()
// makes both sides give up at once.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace solvane {

template <typename T>
class BoundedQueue {
 public:
  explicit BoundedQueue(size_t capacity) : capacity_(capacity) {}

  // False when the queue was closed or cancelled; the item is dropped then.
  bool push(T item) {
    std::unique_lock lock(mutex_);
    notFull_.wait(lock, [&] { return items_.size() < capacity_ || closed_; });
    if (closed_) return false;
    items_.push_back(std::move(item));
    notEmpty_.notify_one();
    return true;
  }

  // Nothing once the queue is closed and empty, or cancelled.
  std::optional<T> pop() {
    std::unique_lock lock(mutex_);
    notEmpty_.wait(lock, [&] { return !items_.empty() || closed_; });
    if (items_.empty() || cancelled_) return std::nullopt;
    T item = std::move(items_.front());
    items_.pop_front();
    notFull_.notify_one();
    return item;
  }

  void close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    notEmpty_.notify_all();
    notFull_.notify_all();
  }

  void cancel() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    cancelled_ = true;
    items_.clear();
    notEmpty_.notify_all();
    notFull_.notify_all();
  }

 private:
  size_t capacity_;
  std::mutex mutex_;
  std::condition_variable notFull_;
  std::condition_variable notEmpty_;
  std::deque<T> items_;
  bool closed_ = false;
  bool cancelled_ = false;
};

}  // namespace solvane
