// Wording the explanation of a watch entry.
#include "cli/watch_explain_report.h"

#include <cstdio>
#include <string>

#include "guide/guide_cache.h"
#include "search/match_line.h"
#include "watch/near_miss_reason.h"
#include "watch/watch_explain.h"
#include "watch/watch_list.h"

namespace {

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
  if (!explainQuery(listing, entry->query, guideMinuteOf(now), kExplainedNearMisses, explanation, problem,
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
    text += "  " + visibleLine(matchLine(miss.record)) + " -- " + visibleLine(nearMissReason(entry->query, miss, true)) + "\n";
  if (explanation.moreNearMisses > 0) text += "  ... and " + std::to_string(explanation.moreNearMisses) + " more\n";
  printOut(text);
  return 0;
}
