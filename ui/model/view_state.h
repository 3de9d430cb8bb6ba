// ViewState: which broadcast day the programme list shows, at which hour,
// and in which view; with the moves between days. A broadcast day runs
// from 05:00 to 28:59; a moment before 05:00 belongs to the date before,
// its hour counted on as 24..28.
#pragma once

#include <string>

#include "calendar/calendar.h"

enum ViewMode {
  kTimeView = 0,     // every channel at the viewed hour; key = the hour
  kChannelView = 1,  // one channel the whole day; key = its column
  kGenreView = 2,    // one genre the whole day; key = its background colour
  kSearchView = 3,   // the matches of the week; key = a SearchSource
};

// What the search view lists.
enum SearchSource { kSearchResults = 0, kWatchMatches = 1, kRecorderReserves = 2 };

struct ViewState {
  CalendarDate date{};  // the broadcast date shown
  int hour = 0;         // the viewed hour, 5..28 once a day is shown
  int day = 0;          // dayNumber of `date`
  ViewMode mode = kTimeView;
  int key = 0;
};

// The broadcast day that `now` falls in, at its hour (24..28 before 05:00).
// Leaves the view mode and key alone.
void moveToToday(ViewState& view, const DateTime& now);

// One day back, no further than yesterday's broadcast day. A step from the
// list's "[↑]" row (fromButton false) lands on the last hour, 28; the "<"
// button keeps the hour. False, with the view unchanged, at the limit.
bool moveToPreviousDay(ViewState& view, const DateTime& now, bool fromButton);
// One day forward, no further than six days after today's broadcast day. A
// step from the "[↓]" row lands on the first hour, 5.
bool moveToNextDay(ViewState& view, const DateTime& now, bool fromButton);

// The moves between days (the buttons, the date button, the hour list's
// "[↑]"/"[↓]") leave the search view for the time view at the viewed hour;
// the other views stay.
void leaveSearchView(ViewState& view);

// The date button's label "%02d/%02d(%s)" with the weekday's kanji.
std::string dateLabel(const ViewState& view);
