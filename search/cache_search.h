// Searching the cache: the matches of a compiled query over a range of
// days, with only the programmes that match built in full.
#pragma once

#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "search/programme_matcher.h"

class GuideCache;

// findMatches(collectListing(cache, range), matcher), without building the
// records of the programmes it does not find. `listing` gets the range's
// channels, gaps and refusals, and no programmes.
std::vector<ProgrammeRecord> searchCache(GuideCache& cache, ListingRange range, const ProgrammeMatcher& matcher,
                                         Listing& listing);
