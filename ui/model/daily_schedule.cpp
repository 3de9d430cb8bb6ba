// The daily download's next run and its due test.
#include "ui/model/daily_schedule.h"

bool nextDailyRun(int downloadTime, const DateTime& now, DailySchedule& run) {
  // Signed division, then 16-bit parts: -1 gives minute 65535 and no run.
  unsigned hour = static_cast<unsigned>(downloadTime / 100) & 0xFFFF;
  unsigned minute = static_cast<unsigned>(downloadTime % 100) & 0xFFFF;
  if (hour >= 24 || minute >= 60) return false;
  bool passed = now.hour > static_cast<int>(hour) ||
                (now.hour == static_cast<int>(hour) && now.minute >= static_cast<int>(minute));
  CalendarDate date{now.year, now.month, now.day, 0};
  if (passed) date = dateFromDayNumber(dayNumber(now.year, now.month, now.day) + 1);
  run = DailySchedule{date.year, date.month, date.day, static_cast<int>(hour),
                      static_cast<int>(minute)};
  return true;
}

bool dailyRunDue(const DailySchedule& run, const DateTime& now) {
  int today = dayNumber(now.year, now.month, now.day);
  int runDay = dayNumber(run.year, run.month, run.day);
  if (today != runDay) return today > runDay;
  return now.hour * 64 + now.minute >= run.hour * 64 + run.minute;
}
