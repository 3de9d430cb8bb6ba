// Wording the explanation of a watch entry.
#include "cli/watch_explain_report.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "guide/guide_cache.h"
#include "listing/genre_names.h"
#include "search/match_line.h"
#include "watch/change_line.h"
#include "watch/watch_explain.h"
#include "watch/watch_list.h"

namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    // Genre rows share names: each once.
    if (std::find(names.begin(), names.begin() + i, names[i]) != names.begin() + i) continue;
    text += (text.empty() ? "" : " or ") + names[i];
  }
  return text;
}

// Shift-JIS, as the query's own words are.
std::string reason(const ProgrammeQuery& query, const NearMiss& miss) {
  const QueryCondition& condition = miss.failed;
  switch (condition.kind) {
    case QueryCondition::kWord: return "missing word '" + condition.word + "'";
    case QueryCondition::kExcluded: return "excluded by -" + condition.word;
    case QueryCondition::kChannel: return "channel is not " + joined(query.channels);
    case QueryCondition::kGenre: {
      std::vector<std::string> names;
      for (int genre : query.genres) names.push_back(genreNameEnglish(genre));
      return "genre is not " + joined(names);
    }
    case QueryCondition::kTime: return "outside " + timeWindowText(query.windowFrom, query.windowTo);
    case QueryCondition::kWeekday: {
      std::string days;
      for (int day = 0; day < 7; ++day)
        if (query.weekdays & (1u << day)) days += weekdayKanji(day);
      return "not on " + days;
    }
    case QueryCondition::kRepeat: return "a repeat, left out by --new";
    case QueryCondition::kSeen:
      return "episode already seen on " + identityStartText(miss.firstAiring) + ", left out by " +
             (query.newOnly ? "--new" : "--once");
  }
  return std::string();
}

const WatchEntry* entryNumbered(const WatchList& list, int number) {
  for (const WatchEntry& entry : list.entries)
    if (entry.number == number) return &entry;
  return nullptr;
}

}  // namespace

int reportWatchExplanation(CliContext& context, int number, const DateTime& now) {
  const WatchList list = loadWatchList(context.settings);
  const WatchEntry* entry = entryNumbered(list, number);
  if (!entry) {
    printError("rokuban-cli: no watch entry " + std::to_string(number) + "\n");
    return 1;
  }
  const Listing listing = collectListing(context.cache, defaultListingRange(now));
  WatchExplanation explanation;
  QueryProblem problem;
  if (!explainQuery(listing, entry->query, listingMinuteOf(now), kExplainedNearMisses, explanation, problem,
                    &context.settings)) {
    printError("rokuban-cli: watch entry " + std::to_string(number) + ": " + englishText(problem) + "\n");
    return 1;
  }
  std::string text = visibleLine("watch " + std::to_string(number) + ": " + queryText(entry->query)) + "\n";
  text += "matches: " + std::to_string(explanation.matches.size()) + "\n";
  for (const ProgrammeRecord& record : explanation.matches) text += "  " + visibleLine(matchLine(record)) + "\n";
  const std::size_t misses = explanation.nearMisses.size() + explanation.moreNearMisses;
  text += "near misses: " + std::to_string(misses) + "\n";
  for (const NearMiss& miss : explanation.nearMisses)
    text += "  " + visibleLine(matchLine(miss.record)) + " -- " + visibleLine(reason(entry->query, miss)) + "\n";
  if (explanation.moreNearMisses > 0) text += "  ... and " + std::to_string(explanation.moreNearMisses) + " more\n";
  printOut(text);
  return 0;
}
