// The times of a programme cell: its start as "HHMM", its end by the rule
// the reservation and the exports share, and where a time of the broadcast
// day lies on the calendar. Every reader of programme times calls these.
#pragma once

#include <cstddef>
#include <string>

class ProgrammeTable;
struct GridPosition;
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
// next programme in the column, else the end time in the title when it is
// a clock time, else where the cell's rows end (before a gap, or at the end
// of what the table holds), else the broadcast day's end ("0500").
std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell);
// The same for a cell at `position`, what table.locate gives for it: a
// caller walking the grid knows it without the look-up.
std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell, const GridPosition& position);
// The same, for a programme still running when the day ends: `nextDay`,
// the table of the broadcast day after (null or empty when not held),
// opens the channel with it and knows where it ends.
std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell, const ProgrammeTable* nextDay);

// Minutes from 00:00 of the broadcast date of `table` (a day table) to the
// start of `cell`: broadcastMinutes of its time, except for a programme
// still running when the day begins, whose cell opens the day with the
// clock of its start ("04:30", or "23:00" on the first row): a time that
// lies after the hour beside the cell, read past midnight or on the day's
// first row, began the day before and counts back a day (270 for 04:30).
// -1 when the time cannot be read.
int programmeStartMinutes(const ProgrammeTable& table, const ProgrammeCell& cell);
// The same for a cell whose first row, as table.locate gives it, is `row`.
int programmeStartMinutes(const ProgrammeTable& table, const ProgrammeCell& cell, std::size_t row);

// True when the "HHMM" time lies before 05:00, that is on the calendar day
// after the broadcast date (an empty or unreadable time counts as 00:00).
bool isAfterMidnight(const std::string& hhmm);

// Minutes from 00:00 of the broadcast date to the "HHMM" time, a time
// before 05:00 counted on the next calendar day (0030 gives 24 * 60 + 30);
// -1 when the text is not four digits.
int broadcastMinutes(const std::string& hhmm);
