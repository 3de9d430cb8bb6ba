// Announced and reserved programmes in the settings file.
#include "search/watch_memory.h"

#include <cstdio>

#include "config/settings_store.h"

const char kAnnouncedSection[] = "watchannounced";
const char kReservedSection[] = "watchreserved";

std::string compactMinute(ListingMinute minute) {
  const DateTime at = dateTimeOf(minute);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d", at.year, at.month, at.day, at.hour, at.minute);
  return text;
}

ListingMinute readCompactMinute(const std::string& text) {
  int year, month, day, hour, minute;
  if (text.size() != 12 || text.find_first_not_of("0123456789") != std::string::npos ||
      std::sscanf(text.c_str(), "%4d%2d%2d%2d%2d", &year, &month, &day, &hour, &minute) != 5)
    return -1;
  return listingMinute(dayNumber(year, month, day), hour * 60 + minute);
}

namespace {

void forgetEnded(StringMap& section, ListingMinute now) {
  for (auto line = section.begin(); line != section.end();) {
    if (readCompactMinute(line->second) < now) {
      line = section.erase(line);
    } else {
      ++line;
    }
  }
}

}  // namespace

std::string programmeIdentity(const ProgrammeRecord& record) {
  return record.channelId + "/" + compactMinute(record.start);
}

bool isRemembered(const SettingsStore& settings, const char* section, const ProgrammeRecord& record) {
  const StringMap* lines = settings.findSection(section);
  return lines && lines->count(programmeIdentity(record)) != 0;
}

void remember(SettingsStore& settings, const char* section, const std::vector<ProgrammeRecord>& records,
              ListingMinute now) {
  if (records.empty() && !settings.hasSection(section)) return;
  StringMap& lines = settings.section(section);
  for (const ProgrammeRecord& record : records) lines[programmeIdentity(record)] = compactMinute(record.stop);
  forgetEnded(lines, now);
}
