// Moments of the exports.
#include "listing/programme_record.h"

ListingMinute listingMinute(int dayNumber, int minuteOfDay) {
  return static_cast<ListingMinute>(dayNumber) * 24 * 60 + minuteOfDay;
}

ListingMinute listingMinuteOf(const DateTime& moment) {
  return listingMinute(dayNumber(moment.year, moment.month, moment.day), moment.hour * 60 + moment.minute);
}

DateTime dateTimeOf(ListingMinute minute) {
  const int day = static_cast<int>(minute / (24 * 60));
  const int ofDay = static_cast<int>(minute % (24 * 60));
  const CalendarDate date = dateFromDayNumber(day);
  return DateTime{date.year, date.month, date.day, ofDay / 60, ofDay % 60};
}
