// Announced and reserved programmes in the settings file.
#include "watch/watch_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "config/settings_store.h"
#include "watch/watch_changes.h"

const char kAnnouncedSection[] = "watchannounced";
const char kReservedSection[] = "watchreserved";
const char kSeenSection[] = "watchseen";
const char kFailedSection[] = "watchfailed";

std::string compactMinute(GuideMinute minute) {
  const DateTime at = dateTimeOfMinute(minute);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d", at.year, at.month, at.day, at.hour, at.minute);
  return text;
}

GuideMinute readCompactMinute(const std::string& text) {
  int year, month, day, hour, minute;
  if (text.size() != 12 || text.find_first_not_of("0123456789") != std::string::npos ||
      std::sscanf(text.c_str(), "%4d%2d%2d%2d%2d", &year, &month, &day, &hour, &minute) != 5)
    return -1;
  // A damaged line must not reach the calendar with a thirteenth month.
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59) return -1;
  return guideMinute(dayNumber(year, month, day), hour * 60 + minute);
}

namespace {

// A line's value begins with the programme's end.
void forgetEnded(StringMap& section, GuideMinute now) {
  for (auto line = section.begin(); line != section.end();) {
    if (readCompactMinute(line->second.substr(0, 12)) < now) {
      line = section.erase(line);
    } else {
      ++line;
    }
  }
}

// The oldest starts go first once the section holds more than it may: how
// many went for want of room.
std::size_t forgetOldest(StringMap& section, GuideMinute now) {
  const GuideMinute oldest = now - kSeenDays * 24 * 60;
  std::vector<std::pair<GuideMinute, std::string>> starts;
  for (auto line = section.begin(); line != section.end();) {
    const GuideMinute start = identityStart(line->second);
    if (start < oldest) {
      line = section.erase(line);
      continue;
    }
    starts.push_back({start, line->first});
    ++line;
  }
  if (starts.size() <= kSeenLines) return 0;
  std::sort(starts.begin(), starts.end());
  for (std::size_t i = 0; i < starts.size() - kSeenLines; ++i) section.erase(starts[i].second);
  return starts.size() - kSeenLines;
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
              GuideMinute now) {
  if (records.empty() && !settings.hasSection(section)) return;
  StringMap& lines = settings.section(section);
  for (const ProgrammeRecord& record : records) lines[programmeIdentity(record)] = compactMinute(record.stop);
  forgetEnded(lines, now);
}

GuideMinute identityStart(const std::string& identity) {
  const std::size_t slash = identity.rfind('/');
  return slash == std::string::npos ? -1 : readCompactMinute(identity.substr(slash + 1));
}

bool isSameAiring(const std::string& identity, const ProgrammeRecord& record) {
  const std::size_t slash = identity.rfind('/');
  const GuideMinute start = identityStart(identity);
  return start >= 0 && identity.compare(0, slash, record.channelId) == 0 && slash == record.channelId.size() &&
         broadcastDayOf(start) == broadcastDayOf(record.start) && std::abs(start - record.start) <= kWatchMoveMinutes;
}

std::string seenAiring(const SettingsStore& settings, const std::string& episodeHash) {
  const StringMap* lines = settings.findSection(kSeenSection);
  if (!lines) return std::string();
  const auto line = lines->find(episodeHash);
  return line == lines->end() ? std::string() : line->second;
}

std::size_t rememberSeen(SettingsStore& settings, const std::vector<std::pair<std::string, std::string>>& seen,
                         GuideMinute now) {
  if (seen.empty() && !settings.hasSection(kSeenSection)) return 0;
  StringMap& lines = settings.section(kSeenSection);
  for (const auto& episode : seen) lines.insert({episode.first, episode.second});
  return forgetOldest(lines, now);
}

int noteFailedTry(SettingsStore& settings, const ProgrammeRecord& record, GuideMinute now) {
  StringMap& lines = settings.section(kFailedSection);
  forgetEnded(lines, now);
  std::string& line = lines[programmeIdentity(record)];
  const int tries = line.size() > 13 ? std::atoi(line.c_str() + 13) + 1 : 1;
  line = compactMinute(record.stop) + " " + std::to_string(tries);
  return tries;
}

void forgetFailedTries(SettingsStore& settings, const ProgrammeRecord& record) {
  if (settings.hasSection(kFailedSection)) settings.section(kFailedSection).erase(programmeIdentity(record));
}
