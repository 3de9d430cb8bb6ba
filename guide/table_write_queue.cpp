#include "guide/table_write_queue.h"

#include <utility>

#include "guide/guide_cache.h"
#include "os/os.h"

TableWriteQueue::TableWriteQueue() : thread_(&TableWriteQueue::run, this) {}

TableWriteQueue::~TableWriteQueue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  posted_.notify_one();
  thread_.join();
}

void TableWriteQueue::post(const std::string& tablePath, std::unique_ptr<ProgrammeTable> table,
                           const std::string& pageToRemove) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    writes_.push_back(Write{tablePath, std::move(table), pageToRemove});
  }
  posted_.notify_one();
}

std::unique_ptr<ProgrammeTable> TableWriteQueue::freeTable() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (written_.empty()) return std::make_unique<ProgrammeTable>();
  std::unique_ptr<ProgrammeTable> table = std::move(written_.back());
  written_.pop_back();
  return table;
}

void TableWriteQueue::run() {
  for (;;) {
    Write write;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      posted_.wait(lock, [this] { return closing_ || !writes_.empty(); });
      // Closing still empties the queue: every posted table is written.
      if (writes_.empty()) return;
      write = std::move(writes_.front());
      writes_.pop_front();
    }
    writeTableFile(write.tablePath, *write.table);
    if (!write.pageToRemove.empty()) os::removeFile(write.pageToRemove);
    std::lock_guard<std::mutex> lock(mutex_);
    written_.push_back(std::move(write.table));
  }
}
