// DayTablePrefetch: the day tables of a range of broadcast days, in order,
// loaded by a helper thread ahead of the caller when asked to, the caller
// loading a day itself when the helper has not begun it. At a household's
// size loading a day costs as much as making its records. The caller asks
// next() once per day; at most kTables days are held, one without a helper.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "programme/programme_table.h"

class GuideCache;

class DayTablePrefetch {
 public:
  static constexpr std::size_t kTables = 2;

  // The days `firstDay` .. firstDay + days - 1 (day numbers) of `cache`,
  // whose settings and files must stay as they are while this lives; with
  // `ahead` and more than two days, a helper thread loads them ahead.
  DayTablePrefetch(GuideCache& cache, int firstDay, int days, bool ahead);
  ~DayTablePrefetch();
  DayTablePrefetch(const DayTablePrefetch&) = delete;
  DayTablePrefetch& operator=(const DayTablePrefetch&) = delete;

  // The next day's table as GuideCache::loadDay leaves it (no columns when
  // the cache holds nothing of the day, or past the range). Valid until the
  // next call.
  ProgrammeTable& next();

 private:
  void help();
  // Loads day claimed_, the lock let go meanwhile.
  void loadClaimed(std::unique_lock<std::mutex>& lock);
  // Whether day index `index` may be loaded: its table is not one the
  // caller still holds or has yet to take.
  bool mayLoad(std::size_t index) const { return index < kTables || index + 1 < taken_ + kTables; }
  // Where day index `index` is loaded: the first table alone serves when
  // nobody loads ahead.
  std::size_t tableOf(std::size_t index) const { return ahead_ ? index % kTables : 0; }

  GuideCache& cache_;
  const int firstDay_;
  const std::size_t days_;
  const bool ahead_;
  ProgrammeTable tables_[kTables];  // day index i in tables_[tableOf(i)]
  ProgrammeTable slots_[kTables];   // what each reads its slots into
  std::vector<char> loaded_;
  std::size_t claimed_ = 0, taken_ = 0;
  bool stopping_ = false;
  // One folder look-up for the helper's files rather than one per file.
  std::string directory_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread helper_;
};
