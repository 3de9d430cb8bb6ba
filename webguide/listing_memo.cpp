#include "webguide/listing_memo.h"

#include <algorithm>

#include "os/os.h"

namespace {

// Day pages of the offered week, the searches and the feed's range.
constexpr std::size_t kMaxEntries = 24;

// Times are whole seconds: a file changed in the second a listing was read
// could change again unseen within it, so a listing is trusted only once it
// was built after the second its newest file was written in had passed.
bool isSettled(const std::vector<std::int64_t>& stamp, std::int64_t builtAt) {
  return stamp.empty() || *std::max_element(stamp.begin(), stamp.end()) + 1 < builtAt;
}

}  // namespace

ListingMemo::ListingMemo(SettingsStore& settings) : cache_(settings) {
  // Serving reads the cache; it never makes a folder for it.
  cache_.setCreatesDirectory(false);
}

std::vector<std::int64_t> ListingMemo::filesStamp(int firstDay, int days) const {
  std::vector<std::int64_t> stamp;
  for (int day = firstDay; day < firstDay + days; ++day) {
    for (int hour : kSlotHours) {
      const int key = slotKey(dateFromDayNumber(day), hour);
      for (const char* extension : {"tmp", "xtr", "htm"}) {
        stamp.push_back(os::fileModifiedTime(cache_.slotFileName(key, extension)));
      }
    }
  }
  return stamp;
}

std::shared_ptr<const Listing> ListingMemo::remembered(const Entry& wanted) {
  std::lock_guard<std::mutex> hold(lock_);
  for (const Entry& entry : entries_) {
    if (entry.firstDay == wanted.firstDay && entry.days == wanted.days && entry.channels == wanted.channels &&
        entry.stamp == wanted.stamp && isSettled(entry.stamp, entry.builtAt)) {
      return entry.listing;
    }
  }
  return nullptr;
}

void ListingMemo::forget(const Entry& range) {
  std::lock_guard<std::mutex> hold(lock_);
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const Entry& old) {
                                  return old.firstDay == range.firstDay && old.days == range.days &&
                                         old.channels == range.channels;
                                }),
                 entries_.end());
}

void ListingMemo::remember(Entry entry) {
  forget(entry);
  std::lock_guard<std::mutex> hold(lock_);
  if (entries_.size() == kMaxEntries) entries_.erase(entries_.begin());
  entries_.push_back(std::move(entry));
}

std::shared_ptr<const Listing> ListingMemo::listing(const ListingRange& range) {
  Entry wanted;
  wanted.firstDay = dayNumber(range.from.year, range.from.month, range.from.day);
  wanted.days = range.days;
  wanted.channels = range.channels;
  // The time is taken before the files are: a change while they are read
  // makes the listing unsettled, never wrongly trusted.
  wanted.builtAt = os::currentUnixTime();
  wanted.stamp = filesStamp(wanted.firstDay, wanted.days);
  if (std::shared_ptr<const Listing> known = remembered(wanted)) return known;
  // An outdated listing of the range is let go before its successor is read,
  // so that the two are in memory together only while a request still uses it.
  forget(wanted);
  wanted.listing = std::make_shared<const Listing>(collectListing(cache_, range));
  std::shared_ptr<const Listing> built = wanted.listing;
  remember(std::move(wanted));
  return built;
}

std::vector<CalendarDate> ListingMemo::heldDates(const std::vector<CalendarDate>& dates) {
  std::vector<CalendarDate> held;
  for (const CalendarDate& date : dates) {
    if (cacheHoldsDay(cache_, date)) held.push_back(date);
  }
  return held;
}
