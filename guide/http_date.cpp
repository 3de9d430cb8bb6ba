#include "guide/http_date.h"

#include <cstdio>

#include "guide/calendar.h"

std::string httpDate(std::int64_t unixSeconds) {
  static const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::int64_t kDay = 86400;
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
