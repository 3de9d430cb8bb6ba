// Moving between broadcast days, and the date label.
#include <gtest/gtest.h>

#include "ui/model/hour_list_rows.h"
#include "ui/model/view_state.h"

namespace {

TEST(ViewStateTest, TodayBeforeFiveIsThePreviousDateAtItsLateHour) {
  ViewState view;
  moveToToday(view, DateTime{2003, 12, 5, 3, 10});
  EXPECT_EQ(2003, view.date.year);
  EXPECT_EQ(12, view.date.month);
  EXPECT_EQ(4, view.date.day);
  EXPECT_EQ(27, view.hour);
  EXPECT_EQ(23, hourListRow(view.hour));
  EXPECT_EQ(dayNumber(2003, 12, 4), view.day);

  // New Year's morning belongs to the last day of the year before.
  moveToToday(view, DateTime{2004, 1, 1, 0, 0});
  EXPECT_EQ(2003, view.date.year);
  EXPECT_EQ(31, view.date.day);
  EXPECT_EQ(24, view.hour);

  moveToToday(view, DateTime{2003, 12, 4, 5, 0});
  EXPECT_EQ(4, view.date.day);
  EXPECT_EQ(5, view.hour);
}

TEST(ViewStateTest, DaysRunFromYesterdayToSixDaysAheadButtonsKeepingTheHour) {
  const DateTime now{2003, 12, 4, 21, 15};
  ViewState view;
  moveToToday(view, now);
  const int today = view.day;
  for (int step = 1; step <= 6; ++step) {
    ASSERT_TRUE(moveToNextDay(view, now, true));
    EXPECT_EQ(today + step, view.day);
  }
  EXPECT_EQ(10, view.date.day);
  EXPECT_EQ(21, view.hour);
  EXPECT_FALSE(moveToNextDay(view, now, true));
  EXPECT_FALSE(moveToNextDay(view, now, false));
  EXPECT_EQ(today + 6, view.day);

  while (moveToPreviousDay(view, now, true)) {
  }
  EXPECT_EQ(today - 1, view.day);
  EXPECT_EQ(3, view.date.day);
  EXPECT_EQ(21, view.hour);
}

TEST(ViewStateTest, TheDayRowsJumpToTheLastOrFirstHour) {
  const DateTime now{2003, 12, 4, 21, 15};
  ViewState view;
  moveToToday(view, now);
  ASSERT_TRUE(moveToPreviousDay(view, now, false));
  EXPECT_EQ(28, view.hour);
  EXPECT_EQ(3, view.date.day);
  ASSERT_TRUE(moveToNextDay(view, now, false));
  EXPECT_EQ(5, view.hour);
  EXPECT_EQ(4, view.date.day);

  // Before five the limits count from the broadcast day, not the calendar.
  const DateTime early{2003, 12, 5, 2, 0};
  moveToToday(view, early);
  ASSERT_TRUE(moveToPreviousDay(view, early, true));
  EXPECT_EQ(3, view.date.day);
  EXPECT_FALSE(moveToPreviousDay(view, early, true));
}

TEST(ViewStateTest, DateLabelCarriesTheWeekdayKanji) {
  ViewState view;
  moveToToday(view, DateTime{2003, 12, 4, 12, 0});  // a Thursday
  EXPECT_EQ("12/04(\x96\xd8)", dateLabel(view));
  moveToToday(view, DateTime{2004, 1, 4, 12, 0});  // a Sunday
  EXPECT_EQ("01/04(\x93\xfa)", dateLabel(view));
  moveToToday(view, DateTime{2004, 1, 3, 12, 0});
  EXPECT_EQ("01/03(\x93\x79)", dateLabel(view));
}

}  // namespace
