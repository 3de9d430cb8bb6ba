// The watch list's lines of a programme's past.
#include "watch/change_line.h"

#include <cstdio>

#include "listing/day_schedule.h"
#include "search/match_line.h"
#include "watch/watch_memory.h"

std::string changeLine(const std::string& kind, const ProgrammeRecord& first, const ProgrammeRecord* now) {
  std::string line = kind + " " + matchLine(first);
  if (now) line += " -> " + scheduleTimes(*now, true);
  return line;
}

std::string identityStartText(const std::string& identity) {
  const GuideMinute start = identityStart(identity);
  if (start < 0) return std::string();
  const DateTime at = dateTimeOfMinute(start);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", at.month, at.day, at.hour, at.minute);
  return text;
}
