// WatchFollow: the watch list's programmes followed across a crawl, a
// refresh, an import or a sync. Take a snapshot before the guide is written,
// then ask what changed; the changes are remembered (watch_change_memory.h)
// for the reports that come later.
//
// Calling protocol: takeWatchSnapshot, write the guide, followWatchChanges,
// then save the settings file.
#pragma once

#include <vector>

#include "calendar/calendar.h"
#include "listing/listing.h"
#include "watch/watch_changes.h"

class GuideCache;

struct WatchSnapshot {
  Listing before;
  // The watch list's current matches and the programmes reserved for it.
  std::vector<ProgrammeRecord> watched;
};

// Nothing watched, and no listing read, when the watch list is empty.
WatchSnapshot takeWatchSnapshot(GuideCache& cache, const DateTime& now);
// What became of the snapshot's programmes in the cache's guide now, also
// remembered in the cache's settings (memory only); a programme that moved
// keeps its place among those announced and reserved.
std::vector<WatchChange> followWatchChanges(const WatchSnapshot& snapshot, GuideCache& cache, const DateTime& now);
