#include "guide/crawl_worker.h"

#include <utility>

CrawlWorker::CrawlWorker() : thread_(&CrawlWorker::run, this) {}

CrawlWorker::~CrawlWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  posted_.notify_one();
  thread_.join();
}

void CrawlWorker::post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  posted_.notify_one();
}

void CrawlWorker::run() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      posted_.wait(lock, [this] { return closing_ || !tasks_.empty(); });
      // Closing still empties the queue: every posted task runs.
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}
