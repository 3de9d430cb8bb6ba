// ProgrammeRecord: one programme of the guide as the exports see it, with
// absolute start and stop times (Japan time). Texts stay Shift-JIS; the
// writers convert them at the edge.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "listing/boxed_value.h"

// An XMLTV episode-num: its numbering system ("xmltv_ns", "onscreen"; empty
// when the document named none) and the number as written.
struct EpisodeNumber {
  std::string system, value;
};

// What a tuner server's JSON API says of a programme beyond its XMLTV: the
// broadcast's ids, the genres' classes, the extended description and the
// series' numbering. All zero or empty for a programme of any other source.
struct BroadcastDetails {
  long long programmeId = 0;  // networkId * 10^10 + serviceId * 10^5 + eventId
  int networkId = 0, serviceId = 0, eventId = 0;
  std::vector<std::pair<int, int>> genres;  // (lv1, lv2) classes, 0-15 each
  std::string extended;  // Shift-JIS, "heading\ntext" items joined by "\n"
  int seriesId = 0, episode = 0, lastEpisode = 0;  // 0: not sent

  bool empty() const { return programmeId == 0 && genres.empty() && extended.empty() && seriesId == 0; }
  // Also the fields empty() passes over: whether a record needs a copy.
  bool anySet() const {
    return !empty() || networkId != 0 || serviceId != 0 || eventId != 0 || episode != 0 || lastEpisode != 0;
  }
};

// What only some sources give a programme: out of line in its record, as
// most records of most sources have none of it.
struct ProgrammeRecordExtra {
  // Only an imported XMLTV document gives these (see programme_extras.h).
  std::string subTitle;
  std::vector<EpisodeNumber> episodes;
  // Only a tuner server's JSON gives these (see programme_extras.h).
  std::string channelType;  // "GR", "BS", "CS", "SKY"
  BroadcastDetails broadcast;
};

struct ProgrammeRecord {
  std::string channel;    // the channel name
  std::string channelId;  // ASCII, see channel_ids.h
  GuideMinute start = 0;
  GuideMinute stop = 0;  // never before start
  std::string title;        // the table's short title of the cell
  std::string titleMarks;   // the title line's "[..]" marks the short title lacks, as written ("[新][字]")
  std::string description;  // the lines after the title line, joined by "\n"
  int genre = 10;           // GenreTable number
  unsigned flags = 0;       // ProgrammeFlag bits

  const ProgrammeRecordExtra& extra() const { return extra_.get(); }
  // Allocates the extra on first use.
  ProgrammeRecordExtra& editExtra() { return extra_.edit(); }

 private:
  BoxedValue<ProgrammeRecordExtra> extra_;
};

// How much of each programme a listing reads: Times fills only the channel,
// its id and the times, for callers that need only when each programme is
// (a day's schedule lines) or which channels there are.
enum class RecordDetail { Whole, Times };
