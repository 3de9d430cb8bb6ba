// The shared parts of the HTML pages.
#include "webguide/page_frame.h"

#include <algorithm>

#include "listing/export_text.h"
#include "listing/listing.h"
#include "webguide/page_style.h"

namespace {

const int kDaysBefore = 1;
const int kDaysAhead = 6;

int numberOf(const CalendarDate& date) { return dayNumber(date.year, date.month, date.day); }

void appendTabs(std::string& out, const PageClock& clock, const PageHead& head, const PageTexts& texts) {
  const CalendarDate* selected = head.selected;
  out += "<nav class=\"days\" aria-label=\"";
  appendXmlText(out, texts.days);
  out += "\">";
  for (const CalendarDate& date : pageDates(clock.today)) {
    const bool isToday = numberOf(date) == numberOf(clock.today);
    const bool isSelected = selected && numberOf(date) == numberOf(*selected);
    const bool offered = std::any_of(clock.offered.begin(), clock.offered.end(),
                                     [&](const CalendarDate& held) { return numberOf(held) == numberOf(date); });
    if (!offered && !isSelected) continue;
    out += "<a href=\"" + dayPageUrl(date) + head.dayQuery + "\"";
    if (isToday || isSelected) {
      out += std::string(" class=\"") + (isToday ? "today" : "") + (isToday && isSelected ? " " : "") +
             (isSelected ? "on" : "") + "\"";
    }
    if (isSelected) out += " aria-current=\"page\"";
    out += ">";
    appendXmlText(out, dayName(date, texts));
    if (isToday) {
      out += " <small>";
      appendXmlText(out, texts.today);
      out += "</small>";
    }
    out += "</a>";
  }
  out += "</nav>";
}

}  // namespace

PageClock pageClockAt(const DateTime& now) {
  PageClock clock;
  clock.today = dateFromDayNumber(broadcastDayNumber(now));
  clock.now = guideMinute(dayNumber(now.year, now.month, now.day), now.hour * 60 + now.minute);
  clock.offered = pageDates(clock.today);
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

std::string pageStart(const PageHead& head, const PageClock& clock, const PageTexts& texts) {
  std::string out = std::string("<!DOCTYPE html>\n<html lang=\"") + texts.htmlLang +
                    "\"><head><meta charset=\"utf-8\">"
                    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                    "<title>";
  appendXmlUtf8(out, head.title);
  out += "</title><style>";
  static const std::string sheet = pageStyleSheet();
  out += sheet + "</style><script>" + pageScript() + "</script></head>\n";
  out +=
      "<body><header><h1><a href=\"/\">Rokuban</a></h1>"
      "<form action=\"/search\" method=\"get\" role=\"search\">"
      "<input type=\"search\" name=\"q\" maxlength=\"" + std::to_string(kMaxSearchBytes / 3) + "\" placeholder=\"";
  appendXmlText(out, texts.searchHint);
  out += "\" aria-label=\"";
  appendXmlText(out, texts.searchHint);
  out += "\" value=\"";
  appendXmlUtf8(out, head.searchText);
  out += "\"><button type=\"submit\">";
  appendXmlText(out, texts.searchButton);
  out += std::string("</button><label class=\"ended\"><input type=\"checkbox\" name=\"ended\" value=\"1\"") +
         (head.endedToo ? " checked" : "") + ">";
  appendXmlText(out, texts.endedToo);
  out += "</label></form>";
  appendTabs(out, clock, head, texts);
  out += "</header>\n<main>";
  return out;
}

std::string pageEnd(const PageTexts& texts) {
  std::string out = "</main>\n<footer><a href=\"/guide.xml\">XMLTV</a> <a href=\"/guide.json\">JSON</a> <a href=\"/watch\">";
  appendXmlText(out, texts.watchTitle);
  out += "</a> <span>";
  appendXmlText(out, texts.footer);
  return out + "</span></footer></body></html>\n";
}

std::string messagePage(const std::string& message, const PageClock& clock, const PageTexts& texts,
                        const std::string& searchText) {
  PageHead head;
  head.title = "Rokuban";
  head.searchText = searchText;
  std::string out = pageStart(head, clock, texts) + "<p class=\"msg\">";
  appendXmlText(out, message);
  return out + "</p>" + pageEnd(texts);
}
