// Checking the watch list against the cached week.
#include "watch/watch_check.h"

#include <set>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "search/programme_matcher.h"
#include "watch/episode_judge.h"
#include "watch/watch_memory.h"

namespace {

void addOnce(std::vector<ProgrammeRecord>& records, std::set<std::string>& seen, const ProgrammeRecord& record) {
  if (seen.insert(programmeIdentity(record)).second) records.push_back(record);
}

// The episodes of `records` for the memory of seen episodes, first airings
// first, as the check sorted them.
std::vector<std::pair<std::string, std::string>> seenEpisodes(const WatchCheck& check,
                                                              const std::vector<ProgrammeRecord>& records) {
  std::vector<std::pair<std::string, std::string>> seen;
  if (check.episodeOf.empty()) return seen;
  for (const ProgrammeRecord& record : records) {
    const std::string identity = programmeIdentity(record);
    const auto episode = check.episodeOf.find(identity);
    if (episode != check.episodeOf.end()) seen.push_back({episode->second, identity});
  }
  return seen;
}

}  // namespace

WatchCheck checkWatchList(const Listing& listing, const WatchList& list, const SettingsStore& settings,
                          GuideMinute now) {
  WatchCheck check;
  check.problems = list.problems;
  check.entries = list.entries;
  check.channels = listing.channels;
  // Each entry's matches first: an entry that follows episodes needs the
  // earlier airings every such entry found.
  std::vector<std::pair<const WatchEntry*, std::vector<const ProgrammeRecord*>>> found;
  EpisodeJudge judge(settings);
  for (const WatchEntry& entry : list.entries) {
    ProgrammeMatcher matcher;
    QueryProblem problem;
    if (!matcher.compile(entry.query, problem)) {
      check.problems.push_back("watch entry " + std::to_string(entry.number) + ": " + englishText(problem));
      continue;
    }
    found.push_back({&entry, {}});
    for (const ProgrammeRecord& record : listing.programmes) {
      if (record.stop <= now || !matcher.matches(record)) continue;
      found.back().second.push_back(&record);
      if (followsEpisodes(entry.query)) judge.note(record, entry.query);
    }
  }
  std::set<std::string> current, reserving;
  for (const auto& entryFound : found) {
    const ProgrammeQuery& query = entryFound.first->query;
    for (const ProgrammeRecord* record : entryFound.second) {
      const std::string identity = programmeIdentity(*record);
      EpisodeVerdict verdict;
      if (followsEpisodes(query)) verdict = judge.verdictOf(*record, query);
      const bool reair = verdict.kind == EpisodeVerdict::kReair;
      if (verdict.kind == EpisodeVerdict::kRepeat || (reair && query.newOnly)) continue;
      addOnce(check.current, current, *record);
      check.foundBy.emplace(identity, entryFound.first->number);
      if (reair) {
        check.reairOf.emplace(identity, verdict.firstAiring);
        continue;
      }
      if (!verdict.hash.empty()) check.episodeOf.emplace(identity, verdict.hash);
      if (query.reserve && record->start > now && !isRemembered(settings, kReservedSection, *record))
        addOnce(check.toReserve, reserving, *record);
    }
  }
  // An entry that does not follow episodes keeps what it found.
  for (const auto& entryFound : found) {
    if (check.reairOf.empty()) break;
    if (followsEpisodes(entryFound.first->query)) continue;
    for (const ProgrammeRecord* record : entryFound.second) check.reairOf.erase(programmeIdentity(*record));
  }
  sortMatches(check.current, listing);
  sortMatches(check.toReserve, listing);
  for (const ProgrammeRecord& record : check.current)
    if (!isRemembered(settings, kAnnouncedSection, record) && !isReair(check, record)) check.fresh.push_back(record);
  return check;
}

bool isReair(const WatchCheck& check, const ProgrammeRecord& record) {
  return !check.reairOf.empty() && check.reairOf.count(programmeIdentity(record)) != 0;
}

WatchCheck checkWatchList(GuideCache& cache, const DateTime& now) {
  const WatchList list = loadWatchList(cache.settings());
  if (list.entries.empty() && list.problems.empty()) return {};
  const Listing listing = collectListing(cache, defaultListingRange(now));
  return checkWatchList(listing, list, cache.settings(), guideMinuteOf(now));
}

std::size_t rememberAnnounced(SettingsStore& settings, const WatchCheck& check,
                              const std::vector<ProgrammeRecord>& records, GuideMinute now) {
  remember(settings, kAnnouncedSection, records, now);
  return rememberSeen(settings, seenEpisodes(check, records), now);
}

std::size_t rememberReserved(SettingsStore& settings, const WatchCheck& check,
                             const std::vector<ProgrammeRecord>& records, GuideMinute now) {
  remember(settings, kReservedSection, records, now);
  return rememberSeen(settings, seenEpisodes(check, records), now);
}
