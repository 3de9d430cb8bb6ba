// The one-line form of a match, as `search` and `watch` print it and a
// notification lists it: "MM/DD(曜) HH:MM-HH:MM channel title" (Shift-JIS),
// the date being the broadcast day and hours after midnight counted on as
// 24 to 28, as the guide shows them.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"

std::string matchLine(const ProgrammeRecord& record);

// A listing of just `records`, with the channels of `source` they are on,
// for the exports' writers.
Listing listingOf(const Listing& source, const std::vector<ProgrammeRecord>& records);
