// Reservation: the argument string that hands a programme to the companion
// recording tool, and the time texts it is built from.
//
// The arguments: channel, date "%04d%02d%02d", start and end "HHMM", each
// followed by a space; then the details, the short title and the title
// line, each in double quotes and followed by a space; then the genre
// number, e.g.
//   CH 20031204 2100 2154 "details" "title" "title line" 2
#pragma once

#include <string>

#include "listing/programme_record.h"
#include "listing/programme_time.h"  // normaliseTime, endTimeFromTitle
#include "ui/model/view_state.h"

class ProgrammeTable;
struct ProgrammeCell;

// The arguments for `cell`, a programme of `table` (the day table of
// `view`). The end time is programmeEndTime's, with `nextDay` the table of
// the day after when held; a start before 05:00 lies on the calendar day
// after the broadcast date, except the day's first programme's, which
// began the day before (programmeStartMinutes).
// `keptStop`, when not 0, is the stop the import kept for a programme the
// table cuts at the day's end (keptStopOf), handed over instead of that cut.
std::string reservationArguments(const ProgrammeTable& table, const ProgrammeCell& cell,
                                 const ViewState& view, const ProgrammeTable* nextDay = nullptr,
                                 GuideMinute keptStop = 0);
