// The watch list's lines of a programme's past: a change of a watched
// programme, and the first airing a re-air repeats (Shift-JIS).
#pragma once

#include <string>

#include "listing/programme_record.h"

// A watched programme's change: "KIND <matchLine of the first airing>",
// then " -> MM/DD(曜) HH:MM-HH:MM" where it is now, when it is still on.
std::string changeLine(const std::string& kind, const ProgrammeRecord& first, const ProgrammeRecord* now);

// "MM/DD HH:MM", the calendar date and time of the start a programme
// identity names (watch_memory.h), as a re-air names its first airing;
// empty when it names none.
std::string identityStartText(const std::string& identity);
