// WatchMemory: the programmes the watch list has announced, and those its
// automatic entries have reserved, so that neither happens twice. Each is a
// settings section of "channel id/start=stop" lines (times YYYYMMDDHHMM,
// Japan time):
//   [watchannounced]
//   nhk-1a2b3c4d.tokyo.jp/202612072100=202612072200
// A programme is forgotten once it has ended, so the sections hold at most
// the coming week's matches.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"

class SettingsStore;

extern const char kAnnouncedSection[];
extern const char kReservedSection[];

// The identity of a programme across crawls: channel id + start.
std::string programmeIdentity(const ProgrammeRecord& record);
// A moment as the memories write it, "YYYYMMDDHHMM"; read back, -1 when
// the text is not one.
std::string compactMinute(ListingMinute minute);
ListingMinute readCompactMinute(const std::string& text);

bool isRemembered(const SettingsStore& settings, const char* section, const ProgrammeRecord& record);
// Notes the records in `section` and forgets every programme there that
// ended before `now`. Memory only: save the settings file afterwards.
void remember(SettingsStore& settings, const char* section, const std::vector<ProgrammeRecord>& records,
              ListingMinute now);
