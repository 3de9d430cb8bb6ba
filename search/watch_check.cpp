// Checking the watch list against the cached week.
#include "search/watch_check.h"

#include <set>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "search/programme_matcher.h"
#include "search/watch_memory.h"

namespace {

void addOnce(std::vector<ProgrammeRecord>& records, std::set<std::string>& seen, const ProgrammeRecord& record) {
  if (seen.insert(programmeIdentity(record)).second) records.push_back(record);
}

}  // namespace

WatchCheck checkWatchList(const Listing& listing, const WatchList& list, const SettingsStore& settings,
                          ListingMinute now) {
  WatchCheck check;
  check.problems = list.problems;
  check.entries = list.entries;
  check.channels = listing.channels;
  std::set<std::string> current, reserving;
  for (const WatchEntry& entry : list.entries) {
    ProgrammeMatcher matcher;
    QueryProblem problem;
    if (!matcher.compile(entry.query, problem)) {
      check.problems.push_back("watch entry " + std::to_string(entry.number) + ": " + englishText(problem));
      continue;
    }
    for (const ProgrammeRecord& record : listing.programmes) {
      if (record.stop <= now || !matcher.matches(record)) continue;
      addOnce(check.current, current, record);
      check.foundBy.emplace(programmeIdentity(record), entry.number);
      if (entry.query.reserve && record.start > now && !isRemembered(settings, kReservedSection, record))
        addOnce(check.toReserve, reserving, record);
    }
  }
  sortMatches(check.current, listing);
  sortMatches(check.toReserve, listing);
  for (const ProgrammeRecord& record : check.current)
    if (!isRemembered(settings, kAnnouncedSection, record)) check.fresh.push_back(record);
  return check;
}

const WatchEntry* entryThatFound(const WatchCheck& check, const ProgrammeRecord& record) {
  const auto found = check.foundBy.find(programmeIdentity(record));
  if (found == check.foundBy.end()) return nullptr;
  for (const WatchEntry& entry : check.entries)
    if (entry.number == found->second) return &entry;
  return nullptr;
}

WatchCheck checkWatchList(GuideCache& cache, const DateTime& now) {
  const WatchList list = loadWatchList(cache.settings());
  if (list.entries.empty() && list.problems.empty()) return {};
  const Listing listing = collectListing(cache, defaultListingRange(now));
  return checkWatchList(listing, list, cache.settings(), listingMinuteOf(now));
}

void rememberAnnounced(SettingsStore& settings, const std::vector<ProgrammeRecord>& records, ListingMinute now) {
  remember(settings, kAnnouncedSection, records, now);
}

void rememberReserved(SettingsStore& settings, const std::vector<ProgrammeRecord>& records, ListingMinute now) {
  remember(settings, kReservedSection, records, now);
}
