// The iCalendar file of programme records (UTF-8): one VEVENT per record,
// for a calendar application's reminders. Lines end in CR LF and are folded
// at 75 octets (never inside a character); times are UTC ("...Z"); the UID
// is made of the channel id and the start, so the same programme keeps it
// on every export. A programme that moved keeps the UID of its first start,
// with a SEQUENCE that counts its changes, so that a calendar moves the
// event instead of adding one.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "listing/programme_record.h"

struct Listing;

struct IcsRevision {
  GuideMinute firstStart = 0;  // the start the UID was made of
  int sequence = 0;
  GuideMinute modified = 0;  // LAST-MODIFIED, Japan time
};

// What became of programmes since they were first written.
struct IcsHistory {
  // By channel id and start now.
  std::map<std::pair<std::string, GuideMinute>, IcsRevision> revised;
  // Written after the listing's events with STATUS:CANCELLED, at their
  // first times.
  std::vector<std::pair<ProgrammeRecord, IcsRevision>> cancelled;
};

// `stamp` is the moment of writing (DTSTAMP), Japan time.
std::string icsDocument(const Listing& listing, GuideMinute stamp, const IcsHistory& history = {});

// "YYYYMMDDTHHMMSSZ" of a moment given in Japan time.
std::string icsUtcTime(GuideMinute minute);
