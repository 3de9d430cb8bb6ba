// WatchCheck: what the watch list finds in the cached week, and what of it
// is new. Used after every crawl or sync, at start-up and by `watch check`.
//
// Calling protocol: checkWatchList, announce `fresh` and hand `toReserve`
// to the recording tool, then rememberAnnounced / rememberReserved with
// what was really announced and reserved, then save the settings file.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "listing/listing.h"
#include "listing/programme_record.h"
#include "watch/watch_list.h"

class GuideCache;
class SettingsStore;

struct WatchCheck {
  // Every match of every entry that has not ended, each programme once, by
  // start then channel order.
  std::vector<ProgrammeRecord> current;
  // Those of `current` never announced before, re-airs left out.
  std::vector<ProgrammeRecord> fresh;
  // Matches of automatic entries that have not started and were never
  // reserved before.
  std::vector<ProgrammeRecord> toReserve;
  // Damaged entries and queries that do not compile (Shift-JIS), one a
  // line; the other entries were checked.
  std::vector<std::string> problems;
  // The entries checked, and which of them found each programme of
  // `current` (the first by number), by programmeIdentity. The front ends
  // read this and `reairOf` joined per programme: watchMatches
  // (watch_match.h).
  std::vector<WatchEntry> entries;
  std::map<std::string, int> foundBy;
  // The channels of the listing checked, for the exports' writers.
  std::vector<ListingChannel> channels;
  // Programmes of `current` found only by entries with --once, re-airs of
  // an episode seen before: identity to the identity of the first airing.
  std::map<std::string, std::string> reairOf;
  // The episode key hash of each programme the entries with --new or
  // --once found that is no re-air, by identity, for the memory of seen
  // episodes.
  std::map<std::string, std::string> episodeOf;
};

// True for a programme of `check.reairOf`.
bool isReair(const WatchCheck& check, const ProgrammeRecord& record);

// Over a listing already collected.
WatchCheck checkWatchList(const Listing& listing, const WatchList& list, const SettingsStore& settings,
                          GuideMinute now);
// Over today's broadcast day and the six after it, from the cache of
// `cache`'s settings, with the watch list of those settings.
WatchCheck checkWatchList(GuideCache& cache, const DateTime& now);

// `records` are programmes of `check`; their episodes, for the entries
// that follow them, are remembered as seen too. How many seen episodes the
// memory's cap made it forget (see rememberSeen).
std::size_t rememberAnnounced(SettingsStore& settings, const WatchCheck& check, const std::vector<ProgrammeRecord>& records,
                       GuideMinute now);
std::size_t rememberReserved(SettingsStore& settings, const WatchCheck& check,
                             const std::vector<ProgrammeRecord>& records, GuideMinute now);
