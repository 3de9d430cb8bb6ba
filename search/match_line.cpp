// Lines and listings of matches.
#include "search/match_line.h"

#include <algorithm>

#include "listing/day_schedule.h"
#include "search/programme_matcher.h"

std::string matchLine(const ProgrammeRecord& record) { return scheduleLine(record, record.title, true); }

void appendMatchLine(std::string& out, const ProgrammeRecord& record) {
  appendScheduleLine(out, record, record.title, true);
}

Listing listingOf(const Listing& source, const std::vector<ProgrammeRecord>& records) {
  Listing listing;
  for (const ListingChannel& channel : source.channels) {
    const bool used = std::any_of(records.begin(), records.end(),
                                  [&](const ProgrammeRecord& record) { return record.channel == channel.name; });
    if (used) listing.channels.push_back(channel);
  }
  listing.programmes = records;
  return listing;
}
