// Moments of the exports.
#include "listing/programme_record.h"

ListingMinute listingMinute(int dayNumber, int minuteOfDay) { return guideMinute(dayNumber, minuteOfDay); }

ListingMinute listingMinuteOf(const DateTime& moment) { return guideMinuteOf(moment); }

DateTime dateTimeOf(ListingMinute minute) { return dateTimeOfMinute(minute); }
