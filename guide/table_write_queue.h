// TableWriteQueue: writes a crawl's table files on a thread of its own, in
// the order they were handed over, while the crawl fetches the next page.
// Nothing comes back: a table file's write result was never looked at (a
// slot without one is converted again from its page). A page to remove goes
// only after its table file was written. Destruction waits for every write.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "programme/programme_table.h"

class TableWriteQueue {
 public:
  TableWriteQueue();
  ~TableWriteQueue();
  TableWriteQueue(const TableWriteQueue&) = delete;
  TableWriteQueue& operator=(const TableWriteQueue&) = delete;

  // Writes `table` with writeTableFile at `tablePath`, then removes
  // `pageToRemove` unless it is empty.
  void post(const std::string& tablePath, std::unique_ptr<ProgrammeTable> table,
            const std::string& pageToRemove);
  // A table for the next page: one already written (its memory is reused
  // by the next reading), or a new one.
  std::unique_ptr<ProgrammeTable> freeTable();

 private:
  struct Write {
    std::string tablePath;
    std::unique_ptr<ProgrammeTable> table;
    std::string pageToRemove;
  };

  void run();

  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<Write> writes_;
  std::vector<std::unique_ptr<ProgrammeTable>> written_;
  bool closing_ = false;
  std::thread thread_;  // last: starts once the members above exist
};
