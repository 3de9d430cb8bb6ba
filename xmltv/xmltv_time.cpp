// XmltvTime: parsing the date, the time and the offset.
#include "xmltv/xmltv_time.h"

#include <cctype>

#include "calendar/calendar.h"

namespace {

constexpr int kJapanOffsetMinutes = kJapanOffsetSeconds / 60;

// Reads `count` digits at `position`; false when any is missing.
bool digits(const std::string& text, std::size_t& position, int count, int& value) {
  value = 0;
  for (int i = 0; i < count; ++i, ++position) {
    if (position >= text.size() || !std::isdigit(static_cast<unsigned char>(text[position]))) return false;
    value = value * 10 + (text[position] - '0');
  }
  return true;
}

bool validDate(int year, int month, int day) {
  static const int kDaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDaysInMonth[month] + (month == 2 && leap ? 1 : 0);
}

// " +HHMM", " -HHMM" or nothing (UTC); false on anything else.
bool parseOffset(const std::string& text, std::size_t position, int& offset) {
  while (position < text.size() && text[position] == ' ') ++position;
  offset = 0;
  if (position == text.size()) return true;
  const char sign = text[position++];
  int hours, minutes;
  if ((sign != '+' && sign != '-') || !digits(text, position, 2, hours) ||
      !digits(text, position, 2, minutes) || hours > 14 || minutes > 59) {
    return false;
  }
  while (position < text.size() && text[position] == ' ') ++position;
  offset = (hours * 60 + minutes) * (sign == '-' ? -1 : 1);
  return position == text.size();
}

}  // namespace

bool parseXmltvTime(const std::string& text, GuideMinute& minute) {
  std::size_t position = 0;
  int year, month, day, hour, minutes, seconds = 0;
  if (!digits(text, position, 4, year) || !digits(text, position, 2, month) ||
      !digits(text, position, 2, day) || !digits(text, position, 2, hour) ||
      !digits(text, position, 2, minutes)) {
    return false;
  }
  if (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position])) &&
      !digits(text, position, 2, seconds)) {
    return false;
  }
  int offset;
  if (!validDate(year, month, day) || hour > 23 || minutes > 59 || seconds > 60 ||
      !parseOffset(text, position, offset)) {
    return false;
  }
  minute = static_cast<GuideMinute>(dayNumber(year, month, day)) * 1440 + hour * 60 + minutes - offset +
           kJapanOffsetMinutes;
  return true;
}
