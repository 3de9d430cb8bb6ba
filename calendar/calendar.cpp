#include "calendar/calendar.h"

#include <algorithm>
#include <atomic>
#include <iterator>

#include "os/os.h"

int dayNumber(int year, int month, int day) {
  static const int kMonthStart[13] = {0, 306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};
  int y = month <= 2 ? year - 1 : year;
  return kMonthStart[month] + 365 * y + y / 4 - y / 100 + y / 400 + day;
}

CalendarDate dateFromDayNumber(int number) {
  // Day 1 is 1 March of year 0 and dayNumber counts in 400-year eras from
  // there: the date is worked out at once, not searched for month by month
  // (every match's start and stop is dated).
  if (number >= 1) {
    const int ofEra = (number - 1) % 146097;
    const int yearOfEra = (ofEra - ofEra / 1460 + ofEra / 36524 - ofEra / 146096) / 365;
    const int dayOfYear = ofEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // from 1 March
    const int monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const int year = (number - 1) / 146097 * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    return CalendarDate{year, month, dayOfYear - (153 * monthFromMarch + 2) / 5 + 1, weekdayOfDayNumber(number)};
  }
  int year = number / 365;
  int month = (number % 365) / 30 + 1;
  if (month > 12) month = 12;
  while (dayNumber(year, month, 0) >= number) {
    if (--month == 0) {
      month = 12;
      --year;
    }
  }
  return CalendarDate{year, month, number - dayNumber(year, month, 0), weekdayOfDayNumber(number)};
}

bool isRealSlot(int month, int day, int hour) {
  static const int kDaysInMonth[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDaysInMonth[month]) return false;
  return std::find(std::begin(kSlotHours), std::end(kSlotHours), hour) != std::end(kSlotHours);
}

int broadcastDayNumber(const DateTime& moment) {
  int number = dayNumber(moment.year, moment.month, moment.day);
  return moment.hour < kBroadcastDayFirstHour ? number - 1 : number;
}

namespace {
constexpr int kMinutesPerDay = 24 * 60;

GuideMinute floorDays(GuideMinute minutes) {
  return minutes >= 0 ? minutes / kMinutesPerDay : (minutes - (kMinutesPerDay - 1)) / kMinutesPerDay;
}
}  // namespace

GuideMinute guideMinute(int dayNumber, int minuteOfDay) {
  return static_cast<GuideMinute>(dayNumber) * kMinutesPerDay + minuteOfDay;
}

GuideMinute guideMinuteOf(const DateTime& moment) {
  return guideMinute(dayNumber(moment.year, moment.month, moment.day), moment.hour * 60 + moment.minute);
}

DateTime dateTimeOfMinute(GuideMinute minute) {
  const GuideMinute day = floorDays(minute);
  const int ofDay = static_cast<int>(minute - day * kMinutesPerDay);
  const CalendarDate date = dateFromDayNumber(static_cast<int>(day));
  return DateTime{date.year, date.month, date.day, ofDay / 60, ofDay % 60};
}

GuideMinute broadcastDayStart(int dayNumber) { return guideMinute(dayNumber, kBroadcastDayFirstHour * 60); }

int broadcastDayOf(GuideMinute minute) {
  return static_cast<int>(floorDays(minute - kBroadcastDayFirstHour * 60));
}

int weekdayOfDayNumber(int number) {
  const int weekday = (number + 2) % 7;
  return weekday < 0 ? weekday + 7 : weekday;
}

int broadcastWeekdayOf(GuideMinute minute) { return weekdayOfDayNumber(broadcastDayOf(minute)); }

const char* weekdayKanji(int dayOfWeek) {
  static const char* const kNames[7] = {
      "\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85", "\x96\xd8", "\x8b\xe0", "\x93\x79",
  };
  return kNames[((dayOfWeek % 7) + 7) % 7];
}

int broadcastHour(int hour) { return hour < kBroadcastDayFirstHour ? hour + 24 : hour; }

int slotKey(const CalendarDate& date, int hour) {
  return date.month * 10000 + date.day * 100 + hour;
}

int dayTableKey(const CalendarDate& date) { return slotKey(date, 99); }

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
// Atomic: servers started by a test read the clock on their own threads.
std::atomic<bool> clockOverridden{false};
std::atomic<std::int64_t> overriddenSeconds{0};

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

DateTime japanDateTimeOf(std::int64_t unixSeconds) {
  const std::int64_t seconds = unixSeconds + kJapanOffsetSeconds;
  const std::int64_t days = floorDivide(seconds, kSecondsPerDay);
  const int ofDay = static_cast<int>(seconds - days * kSecondsPerDay);
  const CalendarDate date = dateFromDayNumber(dayNumber(1970, 1, 1) + static_cast<int>(days));
  return DateTime{date.year, date.month, date.day, ofDay / 3600, ofDay / 60 % 60};
}

DateTime currentDateTime() {
  return japanDateTimeOf(clockOverridden ? overriddenSeconds.load() : os::currentUnixTime());
}

DateTime localDateTime() {
  os::LocalTime now = os::localTime();
  return DateTime{now.year, now.month, now.day, now.hour, now.minute};
}

GuideClockOverride::GuideClockOverride(std::int64_t unixSeconds) {
  clockOverridden = true;
  overriddenSeconds = unixSeconds;
}

GuideClockOverride::~GuideClockOverride() { clockOverridden = false; }
