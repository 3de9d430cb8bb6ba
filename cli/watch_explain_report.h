// What `watch explain N` prints: the entry's matches over the cached week
// and its near misses, each with the condition that left it out, in
// English.
#pragma once

#include "calendar/calendar.h"
#include "cli/cli.h"

// At most this many near misses are listed; the rest are counted.
constexpr int kExplainedNearMisses = 20;

// Explains entry `number` as of `now`. 0 when explained; 1, said on
// stderr, when there is no such entry or its query does not compile.
int reportWatchExplanation(CliContext& context, int number, const DateTime& now);
