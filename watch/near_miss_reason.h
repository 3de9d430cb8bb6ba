// The reason a near miss of a watch entry was left out, in words: one
// table of both languages, for the command line (English) and the window
// (Japanese) alike.
#pragma once

#include <string>

#include "search/programme_query.h"
#include "watch/watch_explain.h"

// Shift-JIS, the query's own words as it holds them: "missing word 'x'",
// "channel is not A or B", ...; in Japanese 「x」がない, チャンネルが A・B でない, ...
std::string nearMissReason(const ProgrammeQuery& query, const NearMiss& miss, bool english);
