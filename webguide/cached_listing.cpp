#include "webguide/cached_listing.h"

#include <mutex>

#include "guide/guide_cache.h"

Listing cachedListing(SettingsStore& settings, const ListingRange& range) {
  static std::mutex reading;
  std::lock_guard<std::mutex> hold(reading);
  return collectListing(guideCache(settings), range);
}
