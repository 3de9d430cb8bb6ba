// What the command line prints of the watched programmes' changes: after a
// crawl, an import or a sync the changes it made, and in `watch check` the
// changes remembered of programmes that have not ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "listing/listing.h"
#include "watch/watch_change_memory.h"

// Runs `writeGuide` (its result: -1 for a failure) between a snapshot of
// the watched programmes and their comparison, prints each change as a
// "watch moved ..." line and remembers them. False in `saved` when the
// settings could not be saved.
int followWatchedProgrammes(CliContext& context, const DateTime& now, const std::function<int()>& writeGuide,
                            bool& saved);

// The lines (UTF-8) of remembered changes, channels named by `listing`.
std::string rememberedChangeLines(const std::vector<RememberedChange>& changes, const Listing& listing);
