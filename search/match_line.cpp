// Lines and listings of matches.
#include "search/match_line.h"

#include <algorithm>
#include <cstdio>

#include "search/programme_matcher.h"

namespace {

constexpr int kDayMinutes = 24 * 60;

}  // namespace

std::string matchLine(const ProgrammeRecord& record) {
  const ListingMinute day = (record.start - 5 * 60) / kDayMinutes;
  const CalendarDate date = dateFromDayNumber(static_cast<int>(day));
  const int start = static_cast<int>(record.start - day * kDayMinutes);
  const int stop = static_cast<int>(record.stop - day * kDayMinutes);
  char text[64];
  std::snprintf(text, sizeof text, "%02d/%02d(%s) %02d:%02d-%02d:%02d ", date.month, date.day,
                weekdayKanji(broadcastWeekday(record.start)), start / 60, start % 60, stop / 60, stop % 60);
  return text + record.channel + " " + record.title;
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
