// The matches of a query over the cache, sieved while the days are read.
#include "search/cache_search.h"

#include <utility>

std::vector<ProgrammeRecord> searchCache(GuideCache& cache, ListingRange range, const ProgrammeMatcher& matcher,
                                         Listing& listing) {
  range.sieve = &matcher;
  listing = collectListing(cache, range);
  // The sieve was the matcher itself, on the fields it reads: every record
  // kept is a match, and asking again would fold each text twice.
  std::vector<ProgrammeRecord> found = std::move(listing.programmes);
  listing.programmes.clear();
  sortMatches(found, listing);
  return found;
}
