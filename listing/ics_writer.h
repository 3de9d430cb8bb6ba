// The iCalendar file of programme records (UTF-8): one VEVENT per record,
// for a calendar application's reminders. Lines end in CR LF and are folded
// at 75 octets (never inside a character); times are UTC ("...Z"); the UID
// is made of the channel id and the start, so the same programme keeps it
// on every export.
#pragma once

#include <string>

#include "listing/programme_record.h"

struct Listing;

// `stamp` is the moment of writing (DTSTAMP), Japan time.
std::string icsDocument(const Listing& listing, ListingMinute stamp);

// "YYYYMMDDTHHMMSSZ" of a moment given in Japan time.
std::string icsUtcTime(ListingMinute minute);
