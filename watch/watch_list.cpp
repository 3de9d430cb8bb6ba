// The watch list in the settings file.
#include "watch/watch_list.h"

#include <algorithm>

#include "config/settings_store.h"

const char kWatchSection[] = "watch";

namespace {

bool isEntryNumber(const std::string& key) {
  return !key.empty() && key.size() <= 6 && key.find_first_not_of("0123456789") == std::string::npos &&
         key[0] != '0';
}

}  // namespace

WatchList loadWatchList(const SettingsStore& settings) {
  WatchList list;
  const StringMap* section = settings.findSection(kWatchSection);
  if (!section) return list;
  for (const auto& line : *section) {
    WatchEntry entry;
    QueryProblem problem;
    if (!isEntryNumber(line.first)) {
      list.problems.push_back("watch entry " + line.first + " is damaged (is not an entry number), skipped");
    } else if (parseQueryText(line.second, entry.query, problem)) {
      entry.number = parseLeadingInt(line.first);
      list.entries.push_back(entry);
      continue;
    } else {
      list.problems.push_back("watch entry " + line.first + " is damaged (" + englishText(problem) + "), skipped");
    }
    list.damaged.push_back(line);
  }
  std::sort(list.entries.begin(), list.entries.end(),
            [](const WatchEntry& a, const WatchEntry& b) { return a.number < b.number; });
  return list;
}

bool saveWatchList(SettingsStore& settings, const WatchList& list) {
  StringMap section;
  for (const WatchEntry& entry : list.entries) {
    if (!storeString(section, std::to_string(entry.number), queryText(entry.query))) return false;
  }
  for (const auto& line : list.damaged) section[line.first] = line.second;
  if (section.empty() && !settings.hasSection(kWatchSection)) return true;
  settings.section(kWatchSection) = section;
  return true;
}

int addWatchEntry(WatchList& list, const ProgrammeQuery& query) {
  int number = 1;
  for (const WatchEntry& entry : list.entries) number = std::max(number, entry.number + 1);
  for (const auto& line : list.damaged)
    if (isEntryNumber(line.first)) number = std::max(number, parseLeadingInt(line.first) + 1);
  list.entries.push_back({number, query});
  return number;
}

bool removeWatchEntry(WatchList& list, int number) {
  auto entry = std::find_if(list.entries.begin(), list.entries.end(),
                            [&](const WatchEntry& e) { return e.number == number; });
  if (entry != list.entries.end()) {
    list.entries.erase(entry);
    return true;
  }
  auto line = std::find_if(list.damaged.begin(), list.damaged.end(),
                           [&](const auto& l) { return l.first == std::to_string(number); });
  if (line == list.damaged.end()) return false;
  list.damaged.erase(line);
  return true;
}
