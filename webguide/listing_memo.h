// ListingMemo: the records of the cache for every connection of a guide
// server. A range's listing is built once for each state of the files it
// was read from and then shared, read-only, by every request that asks for
// it; a crawl, import or sync that replaces one of those files makes the
// next request build it again. Requests never wait for one another's
// reading: the lock guards the list of listings alone.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "guide/guide_cache.h"
#include "listing/listing.h"

class SettingsStore;

class ListingMemo {
 public:
  // `settings` (with the cache directory) must outlive the memo.
  explicit ListingMemo(SettingsStore& settings);

  // collectListing of `range` as the cache holds it now. Safe to call from
  // several threads at once.
  std::shared_ptr<const Listing> listing(const ListingRange& range);
  // Those of `dates` the cache holds (cacheHoldsDay).
  std::vector<CalendarDate> heldDates(const std::vector<CalendarDate>& dates);

 private:
  struct Entry {
    int firstDay;
    int days;
    std::vector<std::string> channels;
    std::vector<std::int64_t> stamp;
    std::int64_t builtAt;
    std::shared_ptr<const Listing> listing;
  };
  // The modification times of every file the range is read from.
  std::vector<std::int64_t> filesStamp(int firstDay, int days) const;
  std::shared_ptr<const Listing> remembered(const Entry& wanted);
  void forget(const Entry& range);
  void remember(Entry entry);

  GuideCache cache_;
  std::mutex lock_;
  std::vector<Entry> entries_;  // the most recently built last
};
