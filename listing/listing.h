// Listing: the programmes of a range of broadcast days from the cache, as
// the exports write them. Days the cache does not hold are skipped and
// named, never invented.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "listing/programme_record.h"

class GuideCache;
class ProgrammeSieve;

struct ListingRange {
  CalendarDate from{};  // the first broadcast date
  int days = 7;
  // Channel names (Shift-JIS) to keep; all when empty.
  std::vector<std::string> channels;
  RecordDetail detail = RecordDetail::Whole;
  // When set, only the programmes it keeps (with RecordDetail::Whole); not
  // owned, and it must outlive collectListing.
  const ProgrammeSieve* sieve = nullptr;
  // True when the caller reads nothing the imports add but the stops past
  // the last imported day (it shows no channel ids, marks, sub-titles or
  // episodes): side files without such stops are then left unchecked, and
  // those fields may be partial. Refused pinned ids are named as ever.
  bool stopsOnly = false;
  // True when a helper thread may load each day while the one before gives
  // its records: for a command run on its own, with the cores to itself.
  // A server answering many at once, or a day or two, leaves it off: each
  // would hold a second day's tables for little.
  bool loadsAhead = false;
};

struct ListingChannel {
  std::string name;  // Shift-JIS
  std::string id;
};

struct Listing {
  // In the order they first appear in the guide's columns.
  std::vector<ListingChannel> channels;
  // By channel in that order, then by start.
  std::vector<ProgrammeRecord> programmes;
  // Broadcast dates of which the cache held nothing readable.
  std::vector<CalendarDate> missingDays;
  // Dates of which some four-hour slots were missing or unreadable.
  std::vector<CalendarDate> incompleteDays;
  // Messages about refused pinned channel ids (Shift-JIS).
  std::vector<std::string> refusals;
};

// Today's broadcast date (a moment before 05:00 belongs to the day
// before) and seven days, every channel.
ListingRange defaultListingRange(const DateTime& now);

// Reads the days of `range` from the cache of `cache`'s settings.
Listing collectListing(GuideCache& cache, const ListingRange& range);
// The names of the channels the imports of `range`'s days took from XMLTV
// documents, by the document's channel id.
std::map<std::string, std::string> importedChannelNames(GuideCache& cache, const ListingRange& range);
// True when the cache has a table or a page of one of the day's slots: a
// look at the file names only, for offering the day.
bool cacheHoldsDay(GuideCache& cache, const CalendarDate& date);

// "YYYY-MM-DD".
std::string isoDate(const CalendarDate& date);
// Reads "YYYY-MM-DD"; false when it is not a date of the calendar.
bool parseIsoDate(const std::string& text, CalendarDate& date);
