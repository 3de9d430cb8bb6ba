// What a listing of the cache lacks, said on stderr by the verbs that
// collect one (export, search).
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"

// Skipped and incomplete days (a line each at most), refused ids, channels
// asked for but not found.
void reportListingGaps(const Listing& listing, const ListingRange& range);

// "2026-12-11 to 2026-12-14, 2026-12-16": dates in order, runs of
// following days joined.
std::string dateRuns(const std::vector<CalendarDate>& dates);

// The names of `range.channels` that name no channel of `listing`.
std::vector<std::string> channelsNotFound(const Listing& listing, const ListingRange& range);
