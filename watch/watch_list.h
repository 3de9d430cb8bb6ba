// WatchList: the saved queries a user follows, kept in the settings
// section "watch" as "N=query text" (programme_query.h's text form, with
// --reserve for an automatic entry, --new and --once for one that follows
// episodes), e.g.
//   [watch]
//   1=--channel NHK総合 ニュース -天気
//   2=--reserve --genre anime 魔法
// An entry the file holds in a damaged form is reported and skipped; it
// stays in the file as it was, and the other entries keep working.
//
// Calling protocol: loadWatchList, change `entries` (addWatchEntry,
// removeWatchEntry), saveWatchList, then save the settings file.
#pragma once

#include <string>
#include <vector>

#include "search/programme_query.h"

class SettingsStore;

struct WatchEntry {
  int number = 0;  // the key in the section, as `watch list` shows it
  ProgrammeQuery query;
};

struct WatchList {
  std::vector<WatchEntry> entries;  // by number
  // Damaged lines as the file holds them: key and value.
  std::vector<std::pair<std::string, std::string>> damaged;
  // One message (Shift-JIS) per damaged line.
  std::vector<std::string> problems;
};

extern const char kWatchSection[];

WatchList loadWatchList(const SettingsStore& settings);
// Replaces the section with the list's entries and damaged lines; memory
// only, like every setter. False, changing nothing, when a query's text
// would not fit on one line.
bool saveWatchList(SettingsStore& settings, const WatchList& list);
// Appends an entry with the next free number; returns that number.
int addWatchEntry(WatchList& list, const ProgrammeQuery& query);
// False when no entry (damaged or not) has that number.
bool removeWatchEntry(WatchList& list, int number);
