// DailySchedule: when the daily download runs next, and whether its time
// has come. It lives in memory only.
#pragma once

#include "calendar/calendar.h"

struct DailySchedule {
  int year, month, day;
  int hour, minute;
};

// The next run for the stored hhmm `downloadTime` seen at `now`: today when
// the time is still ahead, else tomorrow (an equal minute counts as passed).
// False when the time names no valid hour and minute (no schedule then).
bool nextDailyRun(int downloadTime, const DateTime& now, DailySchedule& run);
// True once `now` has reached the scheduled minute or passed its day.
bool dailyRunDue(const DailySchedule& run, const DateTime& now);
