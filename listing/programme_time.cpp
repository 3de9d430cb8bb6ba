// Start and end times of programme cells.
#include "listing/programme_time.h"

#include <cstdlib>

#include "os/os.h"
#include "programme/programme_table.h"

namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

std::string titleLine(const std::string& body) {
  std::string::size_type end = body.find("\r\n");
  return end == std::string::npos ? body : body.substr(0, end);
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

std::string programmeEndTime(const ProgrammeTable& table, const ProgrammeCell& cell) {
  const ProgrammeCell* next = table.nextCellBelow(&cell);
  if (next && !next->body.empty()) return normaliseTime(next->timeText);
  std::string fromTitle = endTimeFromTitle(cell);
  if (!fromTitle.empty()) return fromTitle;
  const ProgrammeCell* hour = table.hourAfter(&cell);
  return hour ? hour->timeText + "00" : std::string("0500");
}

bool isAfterMidnight(const std::string& hhmm) { return std::atoi(hhmm.c_str()) / 100 < 5; }

int broadcastMinutes(const std::string& hhmm) {
  if (hhmm.size() != 4) return -1;
  for (char c : hhmm)
    if (!isAsciiDigit(c)) return -1;
  const int hour = (hhmm[0] - '0') * 10 + (hhmm[1] - '0');
  const int minute = (hhmm[2] - '0') * 10 + (hhmm[3] - '0');
  return (isAfterMidnight(hhmm) ? hour + 24 : hour) * 60 + minute;
}
