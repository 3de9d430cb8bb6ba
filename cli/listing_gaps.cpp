// Reporting the gaps of a listing.
#include "cli/listing_gaps.h"

#include <cstdio>

#include "cli/cli.h"

void reportListingGaps(const Listing& listing, const ListingRange& range) {
  for (const CalendarDate& date : listing.missingDays) {
    std::fprintf(stderr, "rokuban-cli: %s: no programmes in the cache, skipped\n", isoDate(date).c_str());
  }
  for (const CalendarDate& date : listing.incompleteDays) {
    std::fprintf(stderr, "rokuban-cli: %s: some four-hour slots missing or unreadable\n",
                 isoDate(date).c_str());
  }
  for (const std::string& refusal : listing.refusals) printError("rokuban-cli: " + refusal + "\n");
  for (const std::string& name : channelsNotFound(listing, range)) printError("rokuban-cli: no channel " + name + "\n");
}

std::vector<std::string> channelsNotFound(const Listing& listing, const ListingRange& range) {
  std::vector<std::string> names;
  for (const std::string& name : range.channels) {
    bool found = false;
    for (const ListingChannel& channel : listing.channels) found = found || channel.name == name;
    if (!found) names.push_back(name);
  }
  return names;
}
