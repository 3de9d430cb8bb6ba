// The one-line form of a match, as `search` and `watch` print it and a
// notification lists it: "MM/DD(曜) HH:MM-HH:MM channel title" (Shift-JIS),
// `show`'s line with the day of the week: the calendar date and time of the
// start, so that a programme after midnight shows the next date.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"

std::string matchLine(const ProgrammeRecord& record);
// The same, appended to `out`.
void appendMatchLine(std::string& out, const ProgrammeRecord& record);

// A listing of just `records`, with the channels of `source` they are on,
// for the exports' writers.
Listing listingOf(const Listing& source, const std::vector<ProgrammeRecord>& records);
