// Reporting the gaps of a listing.
#include "cli/listing_gaps.h"

#include <cstdio>

#include "cli/cli.h"

std::string dateRuns(const std::vector<CalendarDate>& dates) {
  std::string text;
  for (std::size_t i = 0; i < dates.size();) {
    std::size_t last = i;
    const auto number = [&](std::size_t at) { return dayNumber(dates[at].year, dates[at].month, dates[at].day); };
    while (last + 1 < dates.size() && number(last + 1) == number(last) + 1) ++last;
    text += (text.empty() ? "" : ", ") + isoDate(dates[i]) + (last > i ? " to " + isoDate(dates[last]) : "");
    i = last + 1;
  }
  return text;
}

void reportListingGaps(const Listing& listing, const ListingRange& range) {
  // A cache of three days asked for a week: one line, not one a day.
  if (!listing.missingDays.empty()) {
    std::fprintf(stderr, "rokuban-cli: no programmes in the cache for %s, skipped\n",
                 dateRuns(listing.missingDays).c_str());
  }
  if (!listing.incompleteDays.empty()) {
    std::fprintf(stderr, "rokuban-cli: some four-hour slots missing or unreadable: %s\n",
                 dateRuns(listing.incompleteDays).c_str());
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
