// The daily download's next run and when it is due.
#include "ui/model/daily_schedule.h"

#include <gtest/gtest.h>

namespace {

TEST(DailyScheduleTest, EqualMinuteCountsAsPassedAndRollsOverMonthAndYear) {
  DailySchedule run;
  ASSERT_TRUE(nextDailyRun(730, DateTime{2024, 5, 10, 7, 30}, run));
  EXPECT_EQ(11, run.day);
  ASSERT_TRUE(nextDailyRun(730, DateTime{2024, 5, 10, 7, 29}, run));
  EXPECT_EQ(10, run.day);
  ASSERT_TRUE(nextDailyRun(0, DateTime{2024, 12, 31, 23, 59}, run));
  EXPECT_EQ(2025, run.year);
  EXPECT_EQ(1, run.month);
  EXPECT_EQ(1, run.day);
  ASSERT_TRUE(nextDailyRun(1200, DateTime{2024, 2, 28, 13, 0}, run));
  EXPECT_EQ(2, run.month);
  EXPECT_EQ(29, run.day);
}

TEST(DailyScheduleTest, OutOfRangeTimesGiveNoRun) {
  DailySchedule run;
  DateTime now{2024, 5, 10, 12, 0};
  EXPECT_FALSE(nextDailyRun(-1, now, run));
  EXPECT_FALSE(nextDailyRun(2400, now, run));
  EXPECT_FALSE(nextDailyRun(1260, now, run));
  EXPECT_FALSE(nextDailyRun(-2330, now, run));
}

TEST(DailyScheduleTest, DueFromTheMinuteOnAndOnAnyLaterDay) {
  DailySchedule run{2024, 5, 11, 7, 30};
  EXPECT_FALSE(dailyRunDue(run, DateTime{2024, 5, 10, 23, 59}));
  EXPECT_FALSE(dailyRunDue(run, DateTime{2024, 5, 11, 7, 29}));
  EXPECT_TRUE(dailyRunDue(run, DateTime{2024, 5, 11, 7, 30}));
  EXPECT_TRUE(dailyRunDue(run, DateTime{2024, 5, 12, 0, 0}));
}

}  // namespace
