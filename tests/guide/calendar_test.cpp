// Day numbers against the proleptic Gregorian calendar, and broadcast days.
#include "calendar/calendar.h"

#include <gtest/gtest.h>

namespace {

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

TEST(CalendarTest, EveryDayFrom1900To2100RoundTripsInOrder) {
  static const int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int expected = dayNumber(1900, 1, 1);
  int weekday = 1;  // 1 January 1900 was a Monday
  for (int year = 1900; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      int length = kLengths[month - 1] + (month == 2 && isLeap(year));
      for (int day = 1; day <= length; ++day, ++expected, weekday = (weekday + 1) % 7) {
        ASSERT_EQ(expected, dayNumber(year, month, day)) << year << "-" << month << "-" << day;
        CalendarDate date = dateFromDayNumber(expected);
        ASSERT_EQ(year, date.year);
        ASSERT_EQ(month, date.month);
        ASSERT_EQ(day, date.day);
        ASSERT_EQ(weekday, date.dayOfWeek) << year << "-" << month << "-" << day;
      }
    }
  }
}

TEST(CalendarTest, RealSlotsHaveAMonthADayOfItAndASlotHour) {
  struct Case { int month, day, hour; bool real; } cases[] = {
      {1, 1, 5, true},   {12, 31, 25, true}, {2, 29, 9, true},  {4, 30, 13, true},
      {0, 1, 5, false},  {13, 1, 5, false},  {255, 1, 5, false}, {2, 30, 5, false},
      {4, 31, 5, false}, {1, 0, 5, false},   {1, 32, 5, false},  {1, 1, 6, false},
      {1, 1, 0, false},  {1, 1, 29, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.real, isRealSlot(c.month, c.day, c.hour)) << c.month << "/" << c.day << " " << c.hour;
  }
}

TEST(CalendarTest, BroadcastDayStartsAtFive) {
  EXPECT_EQ(dayNumber(2026, 12, 31), broadcastDayNumber({2027, 1, 1, 4, 59}));
  EXPECT_EQ(dayNumber(2027, 1, 1), broadcastDayNumber({2027, 1, 1, 5, 0}));
  CalendarDate date = dateFromDayNumber(dayNumber(2026, 1, 5));
  EXPECT_EQ(10521, slotKey(date, 21));
  EXPECT_EQ(10599, dayTableKey(date));
}

}  // namespace

TEST(CalendarTest, JapanTimeIsNineHoursAheadOfUtcAcrossDaysYearsAndBefore1970) {
  struct Case { std::int64_t unixSeconds; DateTime japan; } cases[] = {
      {0, {1970, 1, 1, 9, 0}},
      {1796813970, {2026, 12, 9, 19, 59}},   // 10:59:30Z
      {1796828400, {2026, 12, 10, 0, 0}},    // 15:00Z is midnight in Japan
      {1798729199, {2026, 12, 31, 23, 59}},  // 14:59:59Z on New Year's Eve
      {-32400, {1970, 1, 1, 0, 0}},
      {-32401, {1969, 12, 31, 23, 59}},
  };
  for (const Case& c : cases) {
    const DateTime got = japanDateTimeOf(c.unixSeconds);
    EXPECT_EQ(c.japan.year, got.year) << c.unixSeconds;
    EXPECT_EQ(c.japan.month, got.month) << c.unixSeconds;
    EXPECT_EQ(c.japan.day, got.day) << c.unixSeconds;
    EXPECT_EQ(c.japan.hour, got.hour) << c.unixSeconds;
    EXPECT_EQ(c.japan.minute, got.minute) << c.unixSeconds;
  }
  GuideClockOverride clock(1796813970);
  EXPECT_EQ(19, currentDateTime().hour);
}
