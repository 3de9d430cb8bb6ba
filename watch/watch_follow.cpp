// Following the watched programmes across a change of the guide.
#include "watch/watch_follow.h"

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_check.h"
#include "watch/watch_memory.h"

WatchSnapshot takeWatchSnapshot(GuideCache& cache, const DateTime& now) {
  WatchSnapshot snapshot;
  const WatchList list = loadWatchList(cache.settings());
  if (list.entries.empty()) return snapshot;
  snapshot.before = collectListing(cache, defaultListingRange(now));
  const WatchCheck check = checkWatchList(snapshot.before, list, cache.settings(), guideMinuteOf(now));
  snapshot.watched = check.current;
  // A reservation outlives its match: the entry may have changed since.
  for (const ProgrammeRecord& record : snapshot.before.programmes)
    if (record.stop > guideMinuteOf(now) && check.foundBy.count(programmeIdentity(record)) == 0 &&
        isRemembered(cache.settings(), kReservedSection, record))
      snapshot.watched.push_back(record);
  return snapshot;
}

namespace {

// A programme that moved is the one already announced or reserved, not a
// new match: its new identity takes over what the old one had.
void carryMemories(SettingsStore& settings, const std::vector<WatchChange>& changes, GuideMinute now) {
  for (const char* section : {kAnnouncedSection, kReservedSection}) {
    std::vector<ProgrammeRecord> carried;
    for (const WatchChange& change : changes)
      if (airsAtOtherTimes(change.kind) && isRemembered(settings, section, change.before))
        carried.push_back(change.after);
    if (!carried.empty()) remember(settings, section, carried, now);
  }
}

}  // namespace

std::vector<WatchChange> followWatchChanges(const WatchSnapshot& snapshot, GuideCache& cache, const DateTime& now) {
  if (snapshot.watched.empty()) return {};
  const Listing after = collectListing(cache, defaultListingRange(now));
  std::vector<WatchChange> changes = watchChanges(snapshot.before, after, snapshot.watched);
  rememberChanges(cache.settings(), changes, guideMinuteOf(now));
  carryMemories(cache.settings(), changes, guideMinuteOf(now));
  return changes;
}
