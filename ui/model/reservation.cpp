// The companion tool's reservation arguments.
#include "ui/model/reservation.h"

#include <cstdio>
#include <cstdlib>

#include "os/os.h"
#include "programme/genre_table.h"
#include "programme/programme_table.h"

namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

std::string titleLine(const std::string& body) {
  std::string::size_type end = body.find("\r\n");
  return end == std::string::npos ? body : body.substr(0, end);
}

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

std::string endTimeOf(const ProgrammeTable& table, const ProgrammeCell& cell) {
  const ProgrammeCell* next = table.nextCellBelow(&cell);
  if (next && !next->body.empty()) return normaliseTime(next->timeText);
  std::string fromTitle = endTimeFromTitle(cell);
  if (!fromTitle.empty()) return fromTitle;
  const ProgrammeCell* hour = table.hourAfter(&cell);
  return hour ? hour->timeText + "00" : std::string("0500");
}

std::string dateText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

}  // namespace

std::string normaliseTime(const std::string& text) {
  if (text.size() == 5 && text[2] == ':') return text.substr(0, 2) + text.substr(3, 2);
  if (text.size() == 4 && text[1] == ':') return "0" + text.substr(0, 1) + text.substr(2, 2);
  if (text.size() == 4) return text;
  if (text.size() == 3) return "0" + text;
  return "";
}

std::string endTimeFromTitle(const ProgrammeCell& cell) {
  const std::string line = titleLine(cell.body);
  std::string digits;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(line[i]);
    if (os::isLeadByte(byte)) {
      const unsigned char trail = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
      const bool fullWidthSpace = byte == 0x81 && trail == 0x40;
      const bool closingParenthesis = byte == 0x81 && trail == 0x6A;
      if (!fullWidthSpace && !closingParenthesis) digits.clear();
      ++i;
    } else if (isAsciiDigit(line[i])) {
      digits += line[i];
    }
  }
  if (digits.size() == 3) digits.insert(0, "0");
  return digits;
}

std::string reservationArguments(const ProgrammeTable& table, const ProgrammeCell& cell,
                                 const ViewState& view) {
  const ProgrammeCell* header = table.channelOf(&cell);
  const std::string channel = header ? header->body : std::string();
  const std::string start = normaliseTime(cell.timeText);
  const std::string end = endTimeOf(table, cell);
  // Past midnight the broadcast day has moved on to the next calendar day.
  const CalendarDate date =
      std::atoi(start.c_str()) / 100 >= 5 ? view.date : dateFromDayNumber(view.day + 1);
  const int genre = genreOf(cell.background);

  return channel + " " + dateText(date) + " " + start + " " + end + " " +
         quoted(detailsOf(cell)) + " " + quoted(cell.title()) + " " + quoted(firstLineOf(cell)) +
         " " + std::to_string(genre);
}
