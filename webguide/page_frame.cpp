// The shared parts of the HTML pages.
#include "webguide/page_frame.h"

#include <cstdio>

#include "listing/export_text.h"
#include "listing/listing.h"
#include "webguide/page_style.h"

namespace {

const int kDaysBefore = 1;
const int kDaysAhead = 6;

int numberOf(const CalendarDate& date) { return dayNumber(date.year, date.month, date.day); }

void appendTabs(std::string& out, const PageClock& clock, const CalendarDate* selected) {
  out += "<nav class=\"days\" aria-label=\"Days\">";
  for (const CalendarDate& date : pageDates(clock.today)) {
    const bool isToday = numberOf(date) == numberOf(clock.today);
    const bool isSelected = selected && numberOf(date) == numberOf(*selected);
    out += "<a href=\"" + dayPageUrl(date) + "\"";
    if (isToday || isSelected) {
      out += std::string(" class=\"") + (isToday ? "today" : "") + (isToday && isSelected ? " " : "") +
             (isSelected ? "on" : "") + "\"";
    }
    if (isSelected) out += " aria-current=\"page\"";
    out += ">" + shortDayName(date) + (isToday ? " <small>today</small>" : "") + "</a>";
  }
  out += "</nav>";
}

}  // namespace

PageClock pageClockAt(const DateTime& now) {
  PageClock clock;
  clock.today = dateFromDayNumber(broadcastDayNumber(now));
  clock.now = listingMinute(dayNumber(now.year, now.month, now.day), now.hour * 60 + now.minute);
  return clock;
}

std::vector<CalendarDate> pageDates(const CalendarDate& today) {
  std::vector<CalendarDate> dates;
  for (int offset = -kDaysBefore; offset <= kDaysAhead; ++offset) {
    dates.push_back(dateFromDayNumber(numberOf(today) + offset));
  }
  return dates;
}

bool isPageDate(const CalendarDate& date, const CalendarDate& today) {
  const int offset = numberOf(date) - numberOf(today);
  return offset >= -kDaysBefore && offset <= kDaysAhead;
}

std::string dayPageUrl(const CalendarDate& date) { return "/?date=" + isoDate(date); }

std::string shortDayName(const CalendarDate& date) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  char text[24];
  std::snprintf(text, sizeof text, "%s %d/%d", kDays[date.dayOfWeek % 7], date.month, date.day);
  return text;
}

std::string pageStart(const std::string& title, const PageClock& clock, const CalendarDate* selected,
                      const std::string& searchText) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      "<title>";
  appendXmlUtf8(out, title);
  out +=
      "</title><style>";
  static const std::string sheet = pageStyleSheet();
  out += sheet + "</style><script>" + pageScript() + "</script></head>\n";
  out +=
      "<body><header><h1><a href=\"/\">Rokuban</a></h1>"
      "<form action=\"/search\" method=\"get\" role=\"search\">"
      "<input type=\"search\" name=\"q\" maxlength=\"" + std::to_string(kMaxSearchBytes / 3) +
      "\" placeholder=\"Search the week\" aria-label=\"Search the week\" value=\"";
  appendXmlUtf8(out, searchText);
  out += "\"><button type=\"submit\">Search</button></form>";
  appendTabs(out, clock, selected);
  out += "</header>\n<main>";
  return out;
}

std::string pageEnd() {
  return "</main>\n<footer><a href=\"/guide.xml\">XMLTV</a> <a href=\"/guide.json\">JSON</a>"
         " <span>Read-only view of this machine's cached guide.</span></footer></body></html>\n";
}

std::string messagePage(const std::string& message, const PageClock& clock) {
  std::string out = pageStart("Rokuban", clock, nullptr, std::string()) + "<p class=\"msg\">";
  appendXmlUtf8(out, message);
  return out + "</p>" + pageEnd();
}
