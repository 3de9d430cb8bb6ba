// DayPage: the HTML page of one broadcast day: the channels side by side
// (each its own column, in the guide's order), one row per hour, each
// programme in its genre's colour under the hour it starts in, with its
// details folded under its title; a programme still running at the top of
// a later hour is named there again. The programmes running at `clock.now`
// are marked and their hour is the row the page's script scrolls to. Above
// the grid: links to now, to tonight (19:00 of today's page) and to each
// channel's column, plain links that need no script.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "listing/listing.h"
#include "webguide/page_frame.h"
#include "webguide/reserve_marks.h"

// `day`: the records of broadcast date `date` alone (collectListing of one
// day); an empty listing says the cache holds nothing of that day. The
// programmes `marks` holds are marked as reserved.
std::string dayPage(const Listing& day, const CalendarDate& date, const PageClock& clock, const PageTexts& texts,
                    const ReserveMarks* marks = nullptr);

// The channel tabs above a day's grid: their names (Shift-JIS) and the one shown.
struct DayTabs {
  std::vector<std::string> names;
  std::size_t shown = 0;
};
// The page of one tab: `day` holds that tab's channels alone.
std::string dayPage(const Listing& day, const CalendarDate& date, const PageClock& clock, const PageTexts& texts,
                    const DayTabs& tabs, const ReserveMarks* marks = nullptr);
// "&amp;tab=N" of the tab at `index`, as the page's links write it.
std::string tabQuery(std::size_t index);

// The anchor of a programme on its day's page, e.g. "p-tv.tokyo.jp-2100":
// what search results link to.
std::string programmeAnchor(const ProgrammeRecord& record);
// The anchor of a channel's column, e.g. "c-tv.tokyo.jp".
std::string channelAnchor(const ListingChannel& channel);
// "HH:MM" of a moment.
std::string clockTime(GuideMinute minute);
// Appends the details of `record`: time, channel, genre, flags, text.
void appendProgrammeDetails(std::string& out, const ProgrammeRecord& record, const PageTexts& texts);
