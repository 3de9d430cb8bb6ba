#include "cli/deadline.h"

#include <chrono>

Deadline::Deadline(int seconds) {
  if (seconds <= 0) return;
  watcher_ = std::thread([this, seconds] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return ending_; })) reached_ = true;
  });
}

Deadline::~Deadline() {
  if (!watcher_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
  }
  wake_.notify_one();
  watcher_.join();
}
