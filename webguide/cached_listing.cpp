#include "webguide/cached_listing.h"

#include <mutex>

#include "guide/guide_cache.h"

namespace {
std::mutex reading;
}  // namespace

Listing cachedListing(SettingsStore& settings, const ListingRange& range) {
  std::lock_guard<std::mutex> hold(reading);
  return collectListing(guideCache(settings), range);
}

std::vector<CalendarDate> cachedDates(SettingsStore& settings, const std::vector<CalendarDate>& dates) {
  std::lock_guard<std::mutex> hold(reading);
  std::vector<CalendarDate> held;
  for (const CalendarDate& date : dates) {
    if (cacheHoldsDay(guideCache(settings), date)) held.push_back(date);
  }
  return held;
}
