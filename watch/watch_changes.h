// WatchChanges: what became of the watched programmes when the guide was
// crawled, refreshed or imported again, found by comparing the listing
// before with the listing after. The window and `watch check` report them.
#pragma once

#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"

enum class WatchChangeKind {
  moved,       // its start or its end changed
  extended,    // same start, a later end
  cancelled,   // its slot is in the new guide, filled by other programmes
  newEpisode,  // a programme of a watched series the old guide did not hold
};

struct WatchChange {
  WatchChangeKind kind = WatchChangeKind::moved;
  // The watched programme as the old guide had it; for a new episode, the
  // watched programme of the same series.
  ProgrammeRecord before;
  // The programme in the new guide; empty (hasAfter false) when cancelled.
  ProgrammeRecord after;
  bool hasAfter = false;
};

// Moved, extended or cancelled: the watched programme's own time changed.
inline bool changesTime(WatchChangeKind kind) { return kind != WatchChangeKind::newEpisode; }
// Moved or extended: it is still on, at other times.
inline bool airsAtOtherTimes(WatchChangeKind kind) {
  return kind == WatchChangeKind::moved || kind == WatchChangeKind::extended;
}
// The programme the change is about as the guide first had it: the new
// episode itself, else the watched programme before.
inline const ProgrammeRecord& firstAiring(const WatchChange& change) {
  return change.kind == WatchChangeKind::newEpisode ? change.after : change.before;
}

// The same programme in two guides: same channel id and title, on the same
// broadcast day, its start at most this many minutes away.
constexpr int kWatchMoveMinutes = 3 * 60;

// `watched` are programmes of `before` (WatchCheck::current of it). A
// watched programme whose old slot the new guide does not cover (a day not
// fetched) is not cancelled. By the start of the programme as it is now
// (the old one's for a cancelled one), then channel id.
std::vector<WatchChange> watchChanges(const Listing& before, const Listing& after,
                                      const std::vector<ProgrammeRecord>& watched);
