// Lines and listings of matches.
#include "search/match_line.h"

#include <algorithm>
#include <cstdio>

#include "listing/day_schedule.h"
#include "search/programme_matcher.h"
#include "search/watch_memory.h"

std::string matchLine(const ProgrammeRecord& record) { return scheduleLine(record, record.title, true); }

std::string changeLine(const std::string& kind, const ProgrammeRecord& first, const ProgrammeRecord* now) {
  std::string line = kind + " " + matchLine(first);
  if (now) line += " -> " + scheduleTimes(*now, true);
  return line;
}

std::string identityStartText(const std::string& identity) {
  const ListingMinute start = identityStart(identity);
  if (start < 0) return std::string();
  const DateTime at = dateTimeOf(start);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", at.month, at.day, at.hour, at.minute);
  return text;
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
