// WatchPage: the read-only page of the watch list (GET /watch): each entry
// with its query and the programmes of the offered days it finds now, as
// the search page lists them, then the changes the last crawls found of
// the watched programmes that have not ended. The page changes nothing: what was announced
// or reserved stays the window's and the command line's business.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "watch/watch_change_memory.h"
#include "webguide/page_frame.h"

struct WatchPageEntry {
  int number = 0;
  std::string query;  // as `watch list` writes it (Shift-JIS)
  std::vector<ProgrammeRecord> matches;
  // Beside each match: the identity of the first airing a --once entry's
  // re-air repeats (watch_memory.h); empty for the others.
  std::vector<std::string> firstAirings;
};

// `listing` names the changes' channels.
std::string watchPage(const std::vector<WatchPageEntry>& entries, const std::vector<RememberedChange>& changes,
                      const Listing& listing, const PageClock& clock, const PageTexts& texts);
