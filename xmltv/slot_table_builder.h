// SlotTableBuilder: the slot tables of the import's days, built on a
// helper thread and on the thread that writes them, which builds whenever
// the table it needs next is not ready. At a household's size building is
// half of what follows the reading, and writing no longer leaves a core
// idle. At most kAhead tables wait unwritten.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "programme/programme_table.h"

class XmltvGuide;

class SlotTableBuilder {
 public:
  static constexpr std::size_t kAhead = 12;

  // Every slot of `days`, in order; `guide` must not change while this lives.
  SlotTableBuilder(XmltvGuide& guide, const std::vector<int>& days);
  ~SlotTableBuilder();
  SlotTableBuilder(const SlotTableBuilder&) = delete;
  SlotTableBuilder& operator=(const SlotTableBuilder&) = delete;

  // The next slot's table, taken in order; null when its page held more
  // channels than a table does.
  std::unique_ptr<ProgrammeTable> takeNext();
  // A table taken and done with, to be filled again: a household's slot
  // table is thousands of cells, and freeing them cost as much as writing.
  void giveBack(std::unique_ptr<ProgrammeTable> table);

 private:
  struct Slot {
    int day, hour;
    std::unique_ptr<ProgrammeTable> table;  // null when not built
    bool done = false;
  };
  void help();
  // Builds the next unclaimed slot, the lock let go meanwhile.
  void buildClaimed(std::unique_lock<std::mutex>& lock);
  bool mayClaim() const { return claimed_ < slots_.size() && claimed_ < taken_ + kAhead; }

  XmltvGuide& guide_;
  std::vector<Slot> slots_;
  std::vector<std::unique_ptr<ProgrammeTable>> spare_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t claimed_ = 0, taken_ = 0;
  bool stopping_ = false;
  std::thread helper_;
};
