// Reading the cache for the guide service. Its connection threads share the
// one process-wide GuideCache, and reading a day may write a table file from
// a cached page, so they read one at a time.
#pragma once

#include "listing/listing.h"

class SettingsStore;

// collectListing of the cache of `settings`, one caller at a time.
Listing cachedListing(SettingsStore& settings, const ListingRange& range);
// Those of `dates` the cache holds (cacheHoldsDay).
std::vector<CalendarDate> cachedDates(SettingsStore& settings, const std::vector<CalendarDate>& dates);
