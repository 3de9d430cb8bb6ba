// Day tables loaded ahead on a helper thread.
#include "listing/day_table_prefetch.h"

#include "calendar/calendar.h"
#include "guide/guide_cache.h"

DayTablePrefetch::DayTablePrefetch(GuideCache& cache, int firstDay, int days, bool ahead)
    : cache_(cache),
      firstDay_(firstDay),
      days_(days > 0 ? static_cast<std::size_t>(days) : 0),
      // Two days gain less than a new thread and a second table cost.
      ahead_(ahead && days_ > 2),
      loaded_(days_, 0) {}

DayTablePrefetch::~DayTablePrefetch() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (helper_.joinable()) helper_.join();
}

void DayTablePrefetch::loadClaimed(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = claimed_++;
  ProgrammeTable& table = tables_[tableOf(index)];
  lock.unlock();
  table.clear();
  cache_.loadDay(dateFromDayNumber(firstDay_ + static_cast<int>(index)), table, slots_[tableOf(index)]);
  lock.lock();
  loaded_[index] = 1;
  changed_.notify_all();
}

void DayTablePrefetch::help() {
  cache_.pinDirectory(directory_.empty() ? nullptr : &directory_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || claimed_ == days_ || mayLoad(claimed_); });
    if (stopping_ || claimed_ == days_) break;
    loadClaimed(lock);
  }
  lock.unlock();
  cache_.pinDirectory(nullptr);
}

ProgrammeTable& DayTablePrefetch::next() {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::size_t index = taken_++;
  ProgrammeTable& table = tables_[tableOf(index)];
  if (index >= days_) {
    table.clear();
    return table;
  }
  // The day before is let go: the helper may take its table.
  changed_.notify_all();
  // The caller loads the first day: a new thread may wait for a core a
  // while.
  if (index == 0 && ahead_) {
    directory_ = cache_.cacheDirectory();
    helper_ = std::thread([this] { help(); });
  }
  if (claimed_ == index) loadClaimed(lock);
  changed_.wait(lock, [&] { return loaded_[index] != 0; });
  return table;
}
