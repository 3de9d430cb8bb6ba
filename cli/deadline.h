// Deadline: the whole run's time limit (--max-time), as a flag a watcher
// thread raises, so that checking it costs no clock reading per byte.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class Deadline {
 public:
  // No limit when `seconds` is 0.
  explicit Deadline(int seconds);
  ~Deadline();
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

  bool reached() const { return reached_; }

 private:
  std::atomic<bool> reached_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool ending_ = false;
  std::thread watcher_;
};
