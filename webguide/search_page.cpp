// Writing a search's page.
#include "webguide/search_page.h"

#include <algorithm>
#include <cstdio>

#include "listing/export_text.h"
#include "webguide/day_page.h"

namespace {

bool isUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

void appendMatchItem(std::string& out, const ProgrammeRecord& record, const PageTexts& texts, const std::string& note) {
  const DateTime start = dateTimeOfMinute(record.start);
  // The link goes to the broadcast day's page; the text names the clock's date, as its times do.
  const CalendarDate date = dateFromDayNumber(broadcastDayNumber(start));
  const CalendarDate shown = dateFromDayNumber(dayNumber(start.year, start.month, start.day));
  out += "<li class=\"g" + std::to_string(record.genre) + "\"><a href=\"" + dayPageUrl(date) + "#" +
         programmeAnchor(record) + "\"><time>";
  appendXmlText(out, dayName(shown, texts));
  out += " " + clockTime(record.start) + "&#8211;" + clockTime(record.stop) + "</time> ";
  appendXmlText(out, record.channel);
  out += " <b>";
  appendXmlText(out, record.title);
  out += "</b></a>";
  if (!note.empty()) {
    out += " <small>";
    appendXmlText(out, note);
    out += "</small>";
  }
  out += "</li>";
}

}  // namespace

void appendMatchLine(std::string& out, const ProgrammeRecord& record, const PageTexts& texts, const std::string& note) {
  appendMatchItem(out, record, texts, note);
}

std::string percentEncoded(const std::string& text) {
  std::string encoded;
  for (char c : text) {
    if (isUnreserved(c)) {
      encoded += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
      encoded += escape;
    }
  }
  return encoded;
}

std::size_t leaveOutEnded(std::vector<ProgrammeRecord>& matches, GuideMinute now) {
  const std::size_t before = matches.size();
  matches.erase(std::remove_if(matches.begin(), matches.end(),
                               [now](const ProgrammeRecord& record) { return record.stop <= now; }),
                matches.end());
  return before - matches.size();
}

std::string searchPage(const std::vector<ProgrammeRecord>& matches, std::size_t endedLeftOut, const PageHead& head,
                       const PageClock& clock, const PageTexts& texts, std::size_t page) {
  std::string out = pageStart(head, clock, texts);
  if (head.searchText.empty()) {
    out += "<p class=\"msg\">";
    appendXmlText(out, texts.searchHelp);
    return out + "</p>" + pageEnd(texts);
  }
  const std::string query = percentEncoded(head.searchText);
  out += "<p class=\"jump\">";
  appendXmlText(out, filledIn(matches.size() == 1 ? texts.oneMatch : texts.manyMatches, std::to_string(matches.size())));
  out += " <a href=\"/search.ics?q=" + query + "\">";
  appendXmlText(out, texts.calendarFeed);
  out += "</a>";
  if (endedLeftOut > 0) {
    out += "<br>";
    appendXmlText(out, filledIn(texts.endedHidden, std::to_string(endedLeftOut)));
    out += " <a href=\"/search?q=" + query + "&amp;ended=1\">";
    appendXmlText(out, texts.showEnded);
    out += "</a>";
  }
  const std::size_t first = std::min(matches.size(), page * kMatchesPerPage);
  const std::size_t end = std::min(matches.size(), first + kMatchesPerPage);
  out += "</p><ol class=\"hits\" start=\"" + std::to_string(first + 1) + "\">";
  for (std::size_t i = first; i < end; ++i) appendMatchItem(out, matches[i], texts, std::string());
  out += "</ol>";
  if (page > 0 || end < matches.size()) {
    const std::string pageUrl = "/search?q=" + query + (head.endedToo ? "&amp;ended=1" : "") + "&amp;page=";
    out += "<nav class=\"jump\">";
    if (page > 0) {
      out += "<a href=\"" + pageUrl + std::to_string(page - 1) + "\" rel=\"prev\">";
      appendXmlText(out, texts.previousPage);
      out += "</a> ";
    }
    if (end < matches.size()) {
      out += "<a href=\"" + pageUrl + std::to_string(page + 1) + "\" rel=\"next\">";
      appendXmlText(out, texts.nextPage);
      out += "</a>";
    }
    out += "</nav>";
  }
  return out + pageEnd(texts);
}
