// Wording a watch entry's explanation for the window.
#include "ui/model/watch_explanation_text.h"

#include "search/match_line.h"
#include "watch/near_miss_reason.h"

const char kNoWatchEntries[] =
    "\x83\x45\x83\x48\x83\x62\x83\x60\x82\xcc\x93\x6f\x98\x5e\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // ウォッチの登録はありません

namespace {

const char kMatches[] = "\x88\xea\x92\x76: ";                      // 一致:
const char kNearMisses[] = "\x90\xc9\x82\xb5\x82\xa2\x94\xd4\x91\x67: ";  // 惜しい番組:
const char kCount[] = "\x8c\x8f";                                 // 件
const char kMore[] = "\x82\xd9\x82\xa9\x82\xc9 ";                  // ほかに

}  // namespace

std::vector<std::string> watchEntryChoices(const WatchList& list) {
  std::vector<std::string> choices;
  for (const WatchEntry& entry : list.entries) choices.push_back(std::to_string(entry.number) + ": " + queryText(entry.query));
  return choices;
}

std::string watchExplanationText(const ProgrammeQuery& query, const WatchExplanation& explanation) {
  std::string text = kMatches + std::to_string(explanation.matches.size()) + kCount + "\r\n";
  for (const ProgrammeRecord& record : explanation.matches) text += "  " + matchLine(record) + "\r\n";
  const std::size_t misses = explanation.nearMisses.size() + explanation.moreNearMisses;
  text += kNearMisses + std::to_string(misses) + kCount + "\r\n";
  for (const NearMiss& miss : explanation.nearMisses)
    text += "  " + matchLine(miss.record) + "\r\n      -- " + nearMissReason(query, miss, false) + "\r\n";
  if (explanation.moreNearMisses > 0) text += "  " + (kMore + std::to_string(explanation.moreNearMisses)) + kCount + "\r\n";
  return text;
}
