// Writing a search's page.
#include "webguide/search_page.h"

#include <cstdio>

#include "listing/export_text.h"
#include "webguide/day_page.h"

namespace {

bool isUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

void appendMatch(std::string& out, const ProgrammeRecord& record) {
  const DateTime start = dateTimeOf(record.start);
  // The link goes to the broadcast day's page; the text names the clock's date, as its times do.
  const CalendarDate date = dateFromDayNumber(broadcastDayNumber(start));
  const CalendarDate shown = dateFromDayNumber(dayNumber(start.year, start.month, start.day));
  out += "<li class=\"g" + std::to_string(record.genre) + "\"><a href=\"" + dayPageUrl(date) + "#" +
         programmeAnchor(record) + "\"><time>" + shortDayName(shown) + " " + clockTime(record.start) +
         "&#8211;" + clockTime(record.stop) + "</time> ";
  appendXmlText(out, record.channel);
  out += " <b>";
  appendXmlText(out, record.title);
  out += "</b></a></li>";
}

}  // namespace

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

std::string searchPage(const std::vector<ProgrammeRecord>& matches, const std::string& searchText,
                       const PageClock& clock) {
  std::string out = pageStart("Rokuban: " + searchText, clock, nullptr, searchText);
  if (searchText.empty()) {
    return out + "<p class=\"msg\">Words to find in titles and texts; -word for a word that must not occur; "
                 "--channel NAME, --genre NAME, --time HH:MM-HH:MM, --weekday DAYS, --regex.</p>" + pageEnd();
  }
  out += "<p class=\"jump\">" + std::to_string(matches.size()) + (matches.size() == 1 ? " match" : " matches") +
         ". <a href=\"/search.ics?q=" + percentEncoded(searchText) + "\">Calendar feed of this search</a></p>";
  out += "<ol class=\"hits\">";
  for (std::size_t i = 0; i < matches.size() && i < kMaxListedMatches; ++i) appendMatch(out, matches[i]);
  out += "</ol>";
  if (matches.size() > kMaxListedMatches) {
    out += "<p class=\"msg\">The first " + std::to_string(kMaxListedMatches) + " are listed.</p>";
  }
  return out + pageEnd();
}
