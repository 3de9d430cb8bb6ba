// PageFrame: what every HTML page of the guide service shares: the head
// (its own style sheet and script inline, nothing from elsewhere), the search box,
// the day tabs and the links to the feeds. Pages are UTF-8; every text
// from the guide goes through appendXmlText (listing/export_text.h).
#pragma once

#include <string>
#include <vector>

#include "guide/calendar.h"
#include "listing/programme_record.h"

// The moment a page is made for.
struct PageClock {
  CalendarDate today{};  // today's broadcast date
  ListingMinute now = 0;
};

PageClock pageClockAt(const DateTime& now);

// The dates the pages offer: yesterday to six days ahead.
std::vector<CalendarDate> pageDates(const CalendarDate& today);
bool isPageDate(const CalendarDate& date, const CalendarDate& today);

// The longest search text a page accepts, in bytes of UTF-8.
constexpr std::size_t kMaxSearchBytes = 200;

// "/?date=YYYY-MM-DD".
std::string dayPageUrl(const CalendarDate& date);
// "Mon 12/7".
std::string shortDayName(const CalendarDate& date);

// Everything up to the start of the page's main part. `selected` is the
// tab shown as chosen (none when null); `searchText` (UTF-8) fills the
// search box.
std::string pageStart(const std::string& title, const PageClock& clock, const CalendarDate* selected,
                      const std::string& searchText);
// Closes what pageStart opened, with the links to the feeds.
std::string pageEnd();
// A whole page that says `message` (UTF-8), for a refused request.
std::string messagePage(const std::string& message, const PageClock& clock);
