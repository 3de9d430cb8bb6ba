// Collecting the records of a range of days.
#include "listing/listing.h"

#include <algorithm>
#include <cstdio>

#include "bytes/file_system.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "guide/guide_cache.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "listing/day_table_prefetch.h"
#include "listing/programme_extras.h"
#include "listing/programme_sieve.h"
#include "programme/programme_table.h"

namespace {

bool isWanted(const ListingRange& range, const std::string& channel) {
  return range.channels.empty() ||
         std::find(range.channels.begin(), range.channels.end(), channel) != range.channels.end();
}

void noteChannels(const ProgrammeTable& day, const ListingRange& range, ChannelIds& ids,
                  std::vector<ListingChannel>& channels) {
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* header = day.cellAt(column, 0);
    if (!header || !isWanted(range, header->body)) continue;
    auto known = std::find_if(channels.begin(), channels.end(),
                              [&](const ListingChannel& channel) { return channel.name == header->body; });
    if (known == channels.end()) channels.push_back({header->body, ids.idFor(header->body)});
  }
}

// What imports left beside the tables of the days from `first` on.
ProgrammeExtras loadExtras(GuideCache& cache, int first, int days, ExtrasNeed need = ExtrasNeed::All) {
  ProgrammeExtras extras;
  for (int number = first; number < first + days; ++number) {
    const CalendarDate date = dateFromDayNumber(number);
    for (int hour : kSlotHours) {
      const int key = slotKey(date, hour);
      loadProgrammeExtras(cache.files(), cache.slotFileName(key, kExtrasFileExtension), cache.tableFileName(key),
                          extras, need);
    }
  }
  return extras;
}

// A range's sieve that also refuses the channels the range leaves out:
// their programmes then cut only their own channel's stops before they go,
// as if they had been left out at once.
class WantedSieve : public ProgrammeSieve {
 public:
  explicit WantedSieve(const ListingRange& range) : range_(range) {}
  bool keeps(const ProgrammeRecord& draft) const override {
    return isWanted(range_, draft.channel) && range_.sieve->keeps(draft);
  }
  bool mayKeepTexts(const std::string& bytes) const override { return range_.sieve->mayKeepTexts(bytes); }

 private:
  const ListingRange& range_;
};

}  // namespace

std::map<std::string, std::string> importedChannelNames(GuideCache& cache, const ListingRange& range) {
  std::map<std::string, std::string> names;
  const int first = dayNumber(range.from.year, range.from.month, range.from.day);
  const ProgrammeExtras extras = loadExtras(cache, first, range.days);
  for (const auto& channel : extras.sourceIds()) names[channel.second] = channel.first;
  return names;
}

bool cacheHoldsDay(GuideCache& cache, const CalendarDate& date) {
  for (int hour : kSlotHours) {
    const int key = slotKey(date, hour);
    if (cache.files().exists(cache.tableFileName(key)) || cache.files().exists(cache.pageFileName(key))) return true;
  }
  return false;
}

ListingRange defaultListingRange(const DateTime& now) {
  ListingRange range;
  range.from = dateFromDayNumber(broadcastDayNumber(now));
  return range;
}

Listing collectListing(GuideCache& cache, const ListingRange& range) {
  Listing listing;
  ChannelIds ids(cache.settings());
  const int first = dayNumber(range.from.year, range.from.month, range.from.day);
  // A refused pin's message names the id used instead, which may be a
  // document's: then every side file is read.
  const ExtrasNeed need = range.stopsOnly && !ids.pinsAny() ? ExtrasNeed::Stops : ExtrasNeed::All;
  const ProgrammeExtras extras = loadExtras(cache, first, range.days, need);
  ids.setSourceIds(extras.sourceIds());
  const WantedSieve wanted(range);
  SievedTimes sieved;
  sieved.sieve = &wanted;
  SievedTimes* sieving = range.sieve ? &sieved : nullptr;
  DayTablePrefetch days(cache, first, range.days, range.loadsAhead);
  for (int number = first; number < first + range.days; ++number) {
    const CalendarDate date = dateFromDayNumber(number);
    const ProgrammeTable& day = days.next();
    if (day.columnCount() == 0) {
      listing.missingDays.push_back(date);
      continue;
    }
    if (day.tableKey() != dayTableKey(date)) listing.incompleteDays.push_back(date);
    noteChannels(day, range, ids, listing.channels);
    // The first day tells the range's size: one allocation, not a copy of
    // the records at each doubling.
    const std::size_t expected = day.cellCount() * static_cast<std::size_t>(first + range.days - number);
    if (sieving && sieved.times.capacity() == 0) sieved.times.reserve(expected);
    if (!sieving && listing.programmes.capacity() == 0) listing.programmes.reserve(expected);
    std::size_t before = listing.programmes.size();
    appendDayRecords(day, number, ids, listing.programmes, range.detail, sieving);
    auto unwanted = std::remove_if(listing.programmes.begin() + before, listing.programmes.end(),
                                   [&](const ProgrammeRecord& record) { return !isWanted(range, record.channel); });
    listing.programmes.erase(unwanted, listing.programmes.end());
  }
  std::vector<std::string> order;
  for (const ListingChannel& channel : listing.channels) order.push_back(channel.name);
  if (sieving) {
    for (ProgrammeTimes& programme : sieved.times)
      programme.stop = knownStop(extras, *programme.channel, programme.start, programme.stop);
    finishRecords(listing.programmes, sieved.times, order);
  } else {
    applyProgrammeStops(extras, listing.programmes);
    finishRecords(listing.programmes, order);
  }
  if (range.detail == RecordDetail::Whole) attachProgrammeExtras(extras, listing.programmes);
  listing.refusals = ids.refusals();
  return listing;
}

std::string isoDate(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

bool parseIsoDate(const std::string& text, CalendarDate& date) {
  int year, month, day;
  char end;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &end) != 3) return false;
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  date = dateFromDayNumber(dayNumber(year, month, day));
  return date.month == month;  // 31 April and the like
}
