// The times of a programme cell: its start as "HHMM", its end by the rule
// the reservation and the exports share, and where a time of the broadcast
// day lies on the calendar. Every reader of programme times calls these.
#pragma once

#include <string>

class ProgrammeTable;
struct ProgrammeCell;

// "HH:MM" -> "HHMM", "H:MM" -> "0HMM", four other bytes unchanged, three
// bytes with a leading "0"; any other length gives "".
std::string normaliseTime(const std::string& text);

// The digits of the title line (up to the first CR LF) after its last
// double-byte character, the full-width space and right parenthesis not
// counting: the end time a title like "... 〜22:54" or "...〜9:30）"
// carries. Three digits get a leading "0". Empty when there are none.
std::string endTimeFromTitle(const ProgrammeCell& cell);

// The end of `cell`, a programme of `table`, as "HHMM": the start of the
// next programme in the column, else the end time in the title, else the
// next hour, else "0500".
std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell);

// True when the "HHMM" time lies before 05:00, that is on the calendar day
// after the broadcast date (an empty or unreadable time counts as 00:00).
bool isAfterMidnight(const std::string& hhmm);

// Minutes from 00:00 of the broadcast date to the "HHMM" time, a time
// before 05:00 counted on the next calendar day (0030 gives 24 * 60 + 30);
// -1 when the text is not four digits.
int broadcastMinutes(const std::string& hhmm);
