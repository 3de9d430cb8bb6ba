// ProgrammeRecord: one programme of the guide as the exports see it, with
// absolute start and stop times (Japan time). Texts stay Shift-JIS; the
// writers convert them at the edge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "guide/calendar.h"

// The guide's one minute scale (see GuideMinute).
using ListingMinute = GuideMinute;

ListingMinute listingMinute(int dayNumber, int minuteOfDay);
ListingMinute listingMinuteOf(const DateTime& moment);
// The calendar date and time of a moment.
DateTime dateTimeOf(ListingMinute minute);

// An XMLTV episode-num: its numbering system ("xmltv_ns", "onscreen"; empty
// when the document named none) and the number as written.
struct EpisodeNumber {
  std::string system, value;
};

struct ProgrammeRecord {
  std::string channel;    // the channel name
  std::string channelId;  // ASCII, see channel_ids.h
  ListingMinute start = 0;
  ListingMinute stop = 0;  // never before start
  std::string title;        // the table's short title of the cell
  std::string titleMarks;   // the title line's "[..]" marks the short title lacks, as written ("[新][字]")
  std::string description;  // the lines after the title line, joined by "\n"
  int genre = 10;           // GenreTable number
  unsigned flags = 0;       // ProgrammeFlag bits
  // Only an imported XMLTV document gives these (see programme_extras.h).
  std::string subTitle;
  std::vector<EpisodeNumber> episodes;
};
