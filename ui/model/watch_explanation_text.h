// WatchExplanationText: what the window's watch explanation shows of an
// entry (watch/watch_explain.h): its matches, then its near misses, each
// with the condition that left it out, worded in Japanese (Shift-JIS).
#pragma once

#include <string>
#include <vector>

#include "watch/watch_explain.h"
#include "watch/watch_list.h"

// The entry list's rows: "N: query".
std::vector<std::string> watchEntryChoices(const WatchList& list);
// The lines of the explanation, CR LF between them; a near miss's reason
// on a line of its own under it, since the box is narrow.
std::string watchExplanationText(const ProgrammeQuery& query, const WatchExplanation& explanation);
// Shown instead of an explanation when the list has no entries.
extern const char kNoWatchEntries[];
