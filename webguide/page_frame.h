// PageFrame: what every HTML page of the guide service shares: the head
// (its own style sheet and script inline, nothing from elsewhere), the search box,
// the day tabs and the links to the feeds. Pages are UTF-8; every text
// from the guide or the page texts (Shift-JIS) goes through appendXmlText
// (listing/export_text.h).
#pragma once

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "listing/programme_record.h"
#include "webguide/page_texts.h"

// The moment a page is made for.
struct PageClock {
  CalendarDate today{};  // today's broadcast date
  GuideMinute now = 0;
  // The day tabs: the page dates, less those the cache does not hold. The
  // tab of the page shown is there whatever the cache holds.
  std::vector<CalendarDate> offered;
};

PageClock pageClockAt(const DateTime& now);

// The dates the pages offer: yesterday to six days ahead.
std::vector<CalendarDate> pageDates(const CalendarDate& today);
bool isPageDate(const CalendarDate& date, const CalendarDate& today);

// The longest search text a page accepts, in bytes of UTF-8.
constexpr std::size_t kMaxSearchBytes = 200;

// "/?date=YYYY-MM-DD".
std::string dayPageUrl(const CalendarDate& date);

// What the top of a page shows.
struct PageHead {
  std::string title;                       // UTF-8
  const CalendarDate* selected = nullptr;  // the tab shown as chosen, none when null
  std::string searchText;                  // fills the search box (UTF-8)
  bool endedToo = false;                   // the search box's "ended too" is ticked
  std::string dayQuery;                    // kept by the day tabs' links ("&amp;tab=2")
};

// Everything up to the start of the page's main part.
std::string pageStart(const PageHead& head, const PageClock& clock, const PageTexts& texts);
// Closes what pageStart opened, with the links to the feeds.
std::string pageEnd(const PageTexts& texts);
// A whole page that says `message` (Shift-JIS), for a refused request; a
// refused search keeps its text (UTF-8) in the box to be mended.
std::string messagePage(const std::string& message, const PageClock& clock, const PageTexts& texts,
                        const std::string& searchText = std::string());
