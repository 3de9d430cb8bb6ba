// Joining each watched programme with its entry, its re-air and its change.
#include "watch/watch_match.h"

#include "watch/watch_memory.h"

namespace {

const WatchEntry* entryNumbered(const std::vector<WatchEntry>& entries, int number) {
  for (const WatchEntry& entry : entries)
    if (entry.number == number) return &entry;
  return nullptr;
}

const WatchEntry* entryThatFound(const WatchCheck& check, const std::string& identity) {
  const auto found = check.foundBy.find(identity);
  return found == check.foundBy.end() ? nullptr : entryNumbered(check.entries, found->second);
}

// A change is remembered by the programme's place now; a new episode is
// no change of a watched programme's time.
const RememberedChange* timeChangeOf(const std::vector<RememberedChange>& changes, const ProgrammeRecord& record) {
  for (const RememberedChange& change : changes)
    if (change.channelId == record.channelId && change.start == record.start && changesTime(change.kind))
      return &change;
  return nullptr;
}

}  // namespace

std::vector<WatchMatch> watchMatches(const WatchCheck& check, const std::vector<ProgrammeRecord>& records,
                                     const std::vector<RememberedChange>& changes) {
  std::vector<WatchMatch> matches;
  matches.reserve(records.size());
  for (const ProgrammeRecord& record : records) {
    const std::string identity = programmeIdentity(record);
    WatchMatch match;
    match.record = record;
    match.entry = entryThatFound(check, identity);
    const auto reair = check.reairOf.find(identity);
    if (reair != check.reairOf.end()) match.firstAiring = reair->second;
    match.change = timeChangeOf(changes, record);
    matches.push_back(std::move(match));
  }
  return matches;
}

std::vector<WatchMatch> cancelledMatches(const std::vector<RememberedChange>& changes, const Listing& listing) {
  std::vector<WatchMatch> matches;
  for (const RememberedChange& change : changes) {
    if (change.kind != WatchChangeKind::cancelled) continue;
    WatchMatch match;
    match.record = firstAiringOf(change, listing);
    match.change = &change;
    matches.push_back(std::move(match));
  }
  return matches;
}

int entryNumberOf(const WatchMatch& match) { return match.entry ? match.entry->number : 0; }
