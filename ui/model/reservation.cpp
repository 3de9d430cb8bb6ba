// The companion tool's reservation arguments.
#include "ui/model/reservation.h"

#include <cstdio>

#include "listing/programme_time.h"
#include "programme/genre_table.h"
#include "programme/programme_table.h"

namespace {

// The first line without its line end; the whole body when it has one line.
std::string firstLineOf(const ProgrammeCell& cell) {
  const std::string& body = cell.body;
  std::size_t end = cell.detailOffset <= body.size() ? cell.detailOffset : body.size();
  if (end == 0 || body[end - 1] != '\n') return body;
  --end;
  if (end > 0 && body[end - 1] == '\r') --end;
  return body.substr(0, end);
}

// The text after the title line, one enclosing pair of parentheses dropped.
std::string detailsOf(const ProgrammeCell& cell) {
  std::string details =
      cell.detailOffset < cell.body.size() ? cell.body.substr(cell.detailOffset) : std::string();
  if (!details.empty() && details.front() == '(') details.erase(0, 1);
  if (!details.empty() && details.back() == ')') details.pop_back();
  return details;
}

// A double quote inside a quoted argument would end it early and shift
// every argument after it; it is handed over as a single quote.
std::string quoted(std::string text) {
  for (char& c : text)
    if (c == '"') c = '\'';
  return "\"" + text + "\"";
}

std::string dateText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

// "HHMM" of a moment.
std::string clockOf(GuideMinute minute) {
  const DateTime time = dateTimeOfMinute(minute);
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", time.hour, time.minute);
  return text;
}

}  // namespace

std::string reservationArguments(const ProgrammeTable& table, const ProgrammeCell& cell,
                                 const ViewState& view, const ProgrammeTable* nextDay, GuideMinute keptStop) {
  const ProgrammeCell* header = table.channelOf(&cell);
  const std::string channel = header ? header->body : std::string();
  const std::string start = normaliseTime(cell.timeText);
  const std::string end = keptStop != 0 ? clockOf(keptStop) : programmeEndTime(table, cell, nextDay);
  // Past midnight the broadcast day has moved on to the next calendar day;
  // the day's first programme may have begun before it, on its date.
  const int minutes = programmeStartMinutes(table, cell);
  const bool nextDate = minutes < 0 ? isAfterMidnight(start) : minutes >= 24 * 60;
  const CalendarDate date = nextDate ? dateFromDayNumber(view.day + 1) : view.date;
  const int genre = genreOf(cell.background);

  return channel + " " + dateText(date) + " " + start + " " + end + " " +
         quoted(detailsOf(cell)) + " " + quoted(cell.title()) + " " + quoted(firstLineOf(cell)) +
         " " + std::to_string(genre);
}
