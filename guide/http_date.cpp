#include "guide/http_date.h"

#include <cstdio>
#include <cstring>

#include "calendar/calendar.h"

namespace {

const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::int64_t kDay = 86400;

int monthNumber(const char* name) {
  for (int month = 0; month < 12; ++month) {
    if (std::strcmp(name, kMonths[month]) == 0) return month + 1;
  }
  return 0;
}

}  // namespace

std::string httpDate(std::int64_t unixSeconds) {
  std::int64_t days = unixSeconds / kDay;
  std::int64_t second = unixSeconds % kDay;
  if (second < 0) {
    second += kDay;
    --days;
  }
  CalendarDate date = dateFromDayNumber(dayNumber(1970, 1, 1) + static_cast<int>(days));
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kWeekdays[date.dayOfWeek],
                date.day, kMonths[date.month - 1], date.year, static_cast<int>(second / 3600),
                static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
  return text;
}

std::int64_t unixTimeOfHttpDate(const std::string& text) {
  char weekday[4] = "", month[4] = "";
  int day = 0, year = 0, hour = 0, minute = 0, second = 0, length = 0;
  if (std::sscanf(text.c_str(), "%3[A-Za-z], %2d %3[A-Za-z] %4d %2d:%2d:%2d GMT%n", weekday, &day, month, &year,
                  &hour, &minute, &second, &length) != 7 ||
      static_cast<std::size_t>(length) != text.size()) {
    return -1;
  }
  const int monthOfYear = monthNumber(month);
  if (monthOfYear == 0 || year < 1970 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) return -1;
  const std::int64_t days = dayNumber(year, monthOfYear, day) - dayNumber(1970, 1, 1);
  return days * kDay + hour * 3600 + minute * 60 + second;
}
