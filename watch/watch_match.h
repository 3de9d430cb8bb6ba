// WatchMatch: a programme the watch list finds, with what is known of it
// beside it: the entry that found it, the first airing a re-air repeats,
// and the change of its time. Joined here once, so that the command line,
// the web guide and the window only word it, each in its own language.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_check.h"

struct WatchMatch {
  ProgrammeRecord record;
  // The entry that found it (the first by number), one of the check's
  // `entries`; null for a cancelled programme, which no entry finds now.
  const WatchEntry* entry = nullptr;
  // The identity (watch_memory.h) of the first airing a --once entry's
  // re-air repeats; empty for any other programme.
  std::string firstAiring;
  // What changed of its time (moved, extended or cancelled), one of the
  // changes it was built with; null when nothing did.
  const RememberedChange* change = nullptr;
};

// `records` are programmes of `check` (its `current` or `fresh`), kept in
// their order; `changes` the remembered ones (changesNotEnded), or none.
// The matches point into `check` and `changes`: keep both while they live.
std::vector<WatchMatch> watchMatches(const WatchCheck& check, const std::vector<ProgrammeRecord>& records,
                                     const std::vector<RememberedChange>& changes);

// The cancelled programmes of `changes` as matches of no entry, each as
// its first airing with the channel names of `listing`.
std::vector<WatchMatch> cancelledMatches(const std::vector<RememberedChange>& changes, const Listing& listing);

// The number of the entry that found `match`; 0 for none.
int entryNumberOf(const WatchMatch& match);
