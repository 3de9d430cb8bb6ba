// Moving the viewed broadcast day, and its label.
#include "ui/model/view_state.h"

#include <cstdio>

namespace {
constexpr int kDaysBack = 1;
constexpr int kDaysAhead = 6;

void moveToDay(ViewState& view, int day) {
  view.day = day;
  view.date = dateFromDayNumber(day);
}
}  // namespace

void moveToToday(ViewState& view, const DateTime& now) {
  moveToDay(view, broadcastDayNumber(now));
  view.hour = broadcastHour(now.hour);
}

bool moveToPreviousDay(ViewState& view, const DateTime& now, bool fromButton) {
  if (view.day - 1 < broadcastDayNumber(now) - kDaysBack) return false;
  moveToDay(view, view.day - 1);
  if (!fromButton) view.hour = 28;
  return true;
}

bool moveToNextDay(ViewState& view, const DateTime& now, bool fromButton) {
  if (view.day + 1 > broadcastDayNumber(now) + kDaysAhead) return false;
  moveToDay(view, view.day + 1);
  if (!fromButton) view.hour = 5;
  return true;
}

void leaveSearchView(ViewState& view) {
  if (view.mode != kSearchView) return;
  view.mode = kTimeView;
  view.key = view.hour;
}

std::string dateLabel(const ViewState& view) {
  int weekday = view.date.dayOfWeek;
  if (weekday < 0 || weekday > 6) weekday = 0;
  char label[32];
  std::snprintf(label, sizeof label, "%02d/%02d(%s)", view.date.month, view.date.day,
                weekdayKanji(weekday));
  return label;
}
