// Start and end times of programme cells.
#include "listing/programme_time.h"

#include <cstdio>
#include <cstdlib>

#include "calendar/calendar.h"
#include "os/os.h"
#include "programme/programme_table.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool isAfterMidnightHour(int hour) { return hour < kBroadcastDayFirstHour; }

// "HHMM" of a minute counted from midnight; past 24:00 it reads as a clock.
std::string clockTime(int minutes) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d", minutes / 60 % 24, minutes % 60);
  return text;
}

std::size_t spanOf(const ProgrammeCell* cell) {
  return cell && cell->rowSpan > 1 ? static_cast<std::size_t>(cell->rowSpan) : 1;
}

// "HHMM" of a clock: 00:00 .. 23:59.
bool isClockTime(const std::string& hhmm) {
  if (hhmm.size() != 4) return false;
  for (char c : hhmm)
    if (!isAsciiDigit(c)) return false;
  return (hhmm[0] - '0') * 10 + (hhmm[1] - '0') < 24 && hhmm[2] < '6';
}

// The hour cell of the hour column beside `row`; its first row in `first`.
const ProgrammeCell* hourBeside(const ProgrammeTable& table, std::size_t row, std::size_t& first) {
  for (std::size_t at = 1; at < table.rowCount(0); at += spanOf(table.cellAt(0, at))) {
    const ProgrammeCell* hour = table.cellAt(0, at);
    if (row < at + spanOf(hour)) {
      first = at;
      return hour && hour->number >= 0 ? hour : nullptr;
    }
  }
  return nullptr;
}

// "HHMM" where the rows of the cell at `position` end, read from the hour
// column (an hour's rows share its minutes evenly); empty without an hour.
std::string endOfRows(const ProgrammeTable& table, const GridPosition& position, const ProgrammeCell& cell) {
  const std::size_t end = static_cast<std::size_t>(position.row) + spanOf(&cell);
  std::size_t first = 0;
  const ProgrammeCell* hour = hourBeside(table, end - 1, first);
  if (!hour) return "";
  return clockTime(hour->number * 60 + static_cast<int>((end - first) * 60 / spanOf(hour)));
}

// normaliseTime's four characters written into `hhmm` rather than made a
// string: every programme's start and its neighbour's are read here. False
// where normaliseTime gives "".
bool normaliseTimeInto(const std::string& text, char hhmm[4]) {
  const std::size_t size = text.size();
  if (size == 5 && text[2] == ':') {
    hhmm[0] = text[0], hhmm[1] = text[1], hhmm[2] = text[3], hhmm[3] = text[4];
  } else if (size == 4 && text[1] == ':') {
    hhmm[0] = '0', hhmm[1] = text[0], hhmm[2] = text[2], hhmm[3] = text[3];
  } else if (size == 4 || size == 3) {
    hhmm[0] = '0';
    text.copy(hhmm + 4 - size, size);
  } else {
    return false;
  }
  return true;
}

// broadcastMinutes of four characters.
int broadcastMinutesOf(const char hhmm[4]) {
  for (int i = 0; i < 4; ++i)
    if (!isAsciiDigit(hhmm[i])) return -1;
  const int hour = (hhmm[0] - '0') * 10 + (hhmm[1] - '0');
  const int minute = (hhmm[2] - '0') * 10 + (hhmm[3] - '0');
  // The hour already read, not atoi again: every programme's start passes here.
  return (isAfterMidnightHour(hour) ? hour + 24 : hour) * 60 + minute;
}

// broadcastMinutes(normaliseTime(text)).
int broadcastMinutesOfTime(const std::string& text) {
  char hhmm[4];
  return normaliseTimeInto(text, hhmm) ? broadcastMinutesOf(hhmm) : -1;
}

std::string titleLine(const std::string& body) {
  std::string::size_type end = body.find("\r\n");
  return end == std::string::npos ? body : body.substr(0, end);
}

}  // namespace

std::string normaliseTime(const std::string& text) {
  char hhmm[4];
  return normaliseTimeInto(text, hhmm) ? std::string(hhmm, 4) : std::string();
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

std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell) {
  return programmeEndTime(table, cell, table.locate(&cell));
}

std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell, const GridPosition& position) {
  const ProgrammeCell* next = table.nextCellBelow(&cell, position);
  char start[4];
  if (next && !next->body.empty() && normaliseTimeInto(next->timeText, start) && broadcastMinutesOf(start) >= 0) {
    return std::string(start, 4);
  }
  const std::string fromTitle = endTimeFromTitle(cell);
  if (isClockTime(fromTitle)) return fromTitle;
  const std::string rowsEnd = position.column > 0 ? endOfRows(table, position, cell) : std::string();
  // With nothing else to go by, the programme runs to the end of the broadcast day.
  return rowsEnd.empty() ? clockTime(kBroadcastDayFirstHour * 60) : rowsEnd;
}

std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell, const ProgrammeTable* nextDay) {
  const ProgrammeCell* header = table.channelOf(&cell);
  const int column = nextDay && header ? nextDay->findChannel(header->body) : -1;
  const ProgrammeCell* first = column > 0 ? nextDay->cellAt(static_cast<std::size_t>(column), 1) : nullptr;
  const int start = programmeStartMinutes(table, cell);
  if (first && !first->body.empty() && start >= kMinutesPerDay &&
      programmeStartMinutes(*nextDay, *first) == start - kMinutesPerDay) {
    return programmeEndTime(*nextDay, *first);
  }
  return programmeEndTime(table, cell);
}

int programmeStartMinutes(const ProgrammeTable& table, const ProgrammeCell& cell) {
  return programmeStartMinutes(table, cell, static_cast<std::size_t>(table.locate(&cell).row));
}

int programmeStartMinutes(const ProgrammeTable& table, const ProgrammeCell& cell, std::size_t located) {
  const int minutes = broadcastMinutesOfTime(cell.timeText);
  if (minutes < 0) return -1;
  // Only the first row or a time past midnight can hold a start of the day before.
  const std::size_t row = located == 1 || minutes >= kMinutesPerDay ? located : 0;
  std::size_t first = 0;
  const ProgrammeCell* hour = row > 0 ? hourBeside(table, row, first) : nullptr;
  return hour && minutes >= (hour->number + 1) * 60 ? minutes - kMinutesPerDay : minutes;
}

bool isAfterMidnight(const std::string& hhmm) { return isAfterMidnightHour(std::atoi(hhmm.c_str()) / 100); }

int broadcastMinutes(const std::string& hhmm) { return hhmm.size() == 4 ? broadcastMinutesOf(hhmm.data()) : -1; }
