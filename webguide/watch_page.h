// WatchPage: the read-only page of the watch list (GET /watch): each entry
// with its query and the programmes of the offered days it finds now, as
// the search page lists them. The page changes nothing: what was announced
// or reserved stays the window's and the command line's business.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"
#include "webguide/page_frame.h"

struct WatchPageEntry {
  int number = 0;
  std::string query;  // as `watch list` writes it (Shift-JIS)
  std::vector<ProgrammeRecord> matches;
};

std::string watchPage(const std::vector<WatchPageEntry>& entries, const PageClock& clock, const PageTexts& texts);
