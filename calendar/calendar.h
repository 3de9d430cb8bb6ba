// Calendar helpers on day numbers, and the broadcast day: 05:00 to 05:00,
// a moment before 05:00 belonging to the previous date with hours 24 to 28.
#pragma once

#include <cstdint>

struct CalendarDate {
  int year, month, day;
  int dayOfWeek;  // 0 = Sunday
};

struct DateTime {
  int year, month, day, hour, minute;
};

// Consecutive days differ by 1.
int dayNumber(int year, int month, int day);
CalendarDate dateFromDayNumber(int number);
// dateFromDayNumber(number).dayOfWeek, without finding the date.
int weekdayOfDayNumber(int number);

// The hour the broadcast day starts at; the hours before it belong to the
// day before, counted on as 24 to 28. Every reader of the rule uses this.
constexpr int kBroadcastDayFirstHour = 5;

// Minutes since 00:00 of day number 0, Japan time: one scale for every
// moment of the guide, so that times compare and subtract as numbers.
using GuideMinute = std::int64_t;
GuideMinute guideMinute(int dayNumber, int minuteOfDay);
GuideMinute guideMinuteOf(const DateTime& moment);
// The calendar date and time of a moment.
DateTime dateTimeOfMinute(GuideMinute minute);
// The first minute of the broadcast day `dayNumber` (05:00).
GuideMinute broadcastDayStart(int dayNumber);
// The broadcast day (day number) that `minute` falls in.
int broadcastDayOf(GuideMinute minute);
// The weekday (0 = Sunday) of the broadcast day of `minute`: 01:30 on a
// Saturday morning is a Friday programme, as the guide has it.
int broadcastWeekdayOf(GuideMinute minute);

// The slot start hours of a broadcast day.
constexpr int kSlotHours[6] = {5, 9, 13, 17, 21, 25};
// True when month, day and hour name a slot of some year: month 1..12, a day
// that month has (29 February too) and one of the slot hours.
bool isRealSlot(int month, int day, int hour);

// Day number of the broadcast day that `moment` falls in.
int broadcastDayNumber(const DateTime& moment);
// A clock hour as the broadcast day counts it: 0..4 become 24..28, the
// other hours (and 24..28 themselves) stay as they are.
int broadcastHour(int hour);
// month * 10000 + day * 100 + hour of a broadcast date.
int slotKey(const CalendarDate& date, int hour);
// The key of a complete day table: MMDD99.
int dayTableKey(const CalendarDate& date);

// The Shift-JIS kanji of a day of the week, 0 = Sunday ("日" .. "土").
const char* weekdayKanji(int dayOfWeek);

// The guide is Japan time (UTC+9, no summer time) whatever the host's zone:
// every "now" compared with the guide is this one.
constexpr int kJapanOffsetSeconds = 9 * 60 * 60;
// Japan's date and time at a moment given as seconds since 1970 UTC.
DateTime japanDateTimeOf(std::int64_t unixSeconds);
// Japan's date and time now, from the system's UTC clock (or the moment a
// GuideClockOverride holds).
DateTime currentDateTime();
// The host's own clock, for what a user typed in it (the daily download
// time of the Windows program) and nothing else.
DateTime localDateTime();

// Tests and benchmarks: while one lives, currentDateTime() answers for its
// UTC moment. Not thread-safe; one at a time.
class GuideClockOverride {
 public:
  explicit GuideClockOverride(std::int64_t unixSeconds);
  ~GuideClockOverride();
  GuideClockOverride(const GuideClockOverride&) = delete;
  GuideClockOverride& operator=(const GuideClockOverride&) = delete;
};
