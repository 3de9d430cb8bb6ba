// Wording a watch entry's explanation for the window.
#include "ui/model/watch_explanation_text.h"

#include <algorithm>

#include "listing/genre_names.h"
#include "search/match_line.h"
#include "watch/change_line.h"

const char kNoWatchEntries[] =
    "\x83\x45\x83\x48\x83\x62\x83\x60\x82\xcc\x93\x6f\x98\x5e\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // ウォッチの登録はありません

namespace {

const char kOpenQuote[] = "\x81\x75";                            // 「
const char kMissing[] = "\x81\x76\x82\xaa\x82\xc8\x82\xa2";          // 」がない
const char kExcludedBy[] = "\x81\x76\x82\xc5\x8f\x9c\x8a\x4f";       // 」で除外
const char kChannelIs[] = "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xaa ";  // チャンネルが
const char kGenreIs[] = "\x83\x57\x83\x83\x83\x93\x83\x8b\x82\xaa ";  // ジャンルが
const char kIsNot[] = " \x82\xc5\x82\xc8\x82\xa2";                 // でない
const char kTimeWindow[] = "\x8e\x9e\x8a\xd4\x91\xd1 ";             // 時間帯
const char kOutside[] = " \x82\xcc\x8a\x4f";                       // の外
const char kWeekdayIs[] = "\x97\x6a\x93\xfa\x82\xaa ";              // 曜日が
const char kMatches[] = "\x88\xea\x92\x76: ";                      // 一致:
const char kNearMisses[] = "\x90\xc9\x82\xb5\x82\xa2\x94\xd4\x91\x67: ";  // 惜しい番組:
const char kCount[] = "\x8c\x8f";                                 // 件
const char kMore[] = "\x82\xd9\x82\xa9\x82\xc9 ";                  // ほかに
const char kAlternative[] = "\x81\x45";                           // ・
const char kRepeatLeftOut[] = "\x8d\xc4\x95\xfa\x91\x97\x81\x69--new \x82\xc5\x8f\x9c\x8a\x4f\x81\x6a";  // 再放送（--new で除外）
const char kSeenOn[] = "\x82\xc9\x95\xfa\x91\x97\x8d\xcf\x82\xdd\x82\xcc\x89\xf1\x81\x69";  // に放送済みの回（
const char kLeftOutBy[] = " \x82\xc5\x8f\x9c\x8a\x4f\x81\x6a";  // で除外）

// Genre rows share names: each once.
std::string alternatives(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (std::find(names.begin(), names.begin() + i, names[i]) != names.begin() + i) continue;
    text += (text.empty() ? "" : kAlternative) + names[i];
  }
  return text;
}

}  // namespace

std::vector<std::string> watchEntryChoices(const WatchList& list) {
  std::vector<std::string> choices;
  for (const WatchEntry& entry : list.entries) choices.push_back(std::to_string(entry.number) + ": " + queryText(entry.query));
  return choices;
}

std::string japaneseReason(const ProgrammeQuery& query, const NearMiss& miss) {
  const QueryCondition& condition = miss.failed;
  switch (condition.kind) {
    case QueryCondition::kWord: return kOpenQuote + condition.word + kMissing;
    case QueryCondition::kExcluded: return kOpenQuote + ("-" + condition.word) + kExcludedBy;
    case QueryCondition::kChannel: return kChannelIs + alternatives(query.channels) + kIsNot;
    case QueryCondition::kGenre: {
      std::vector<std::string> names;
      for (int genre : query.genres) names.push_back(genreNameJapanese(genre));
      return kGenreIs + alternatives(names) + kIsNot;
    }
    case QueryCondition::kTime: return kTimeWindow + timeWindowText(query.windowFrom, query.windowTo) + kOutside;
    case QueryCondition::kWeekday: {
      std::string days;
      for (int day = 0; day < 7; ++day)
        if (query.weekdays & (1u << day)) days += weekdayKanji(day);
      return kWeekdayIs + days + kIsNot;
    }
    case QueryCondition::kRepeat: return kRepeatLeftOut;
    case QueryCondition::kSeen:
      return identityStartText(miss.firstAiring) + kSeenOn + (query.newOnly ? "--new" : "--once") + kLeftOutBy;
  }
  return std::string();
}

std::string watchExplanationText(const ProgrammeQuery& query, const WatchExplanation& explanation) {
  std::string text = kMatches + std::to_string(explanation.matches.size()) + kCount + "\r\n";
  for (const ProgrammeRecord& record : explanation.matches) text += "  " + matchLine(record) + "\r\n";
  const std::size_t misses = explanation.nearMisses.size() + explanation.moreNearMisses;
  text += kNearMisses + std::to_string(misses) + kCount + "\r\n";
  for (const NearMiss& miss : explanation.nearMisses)
    text += "  " + matchLine(miss.record) + "\r\n      -- " + japaneseReason(query, miss) + "\r\n";
  if (explanation.moreNearMisses > 0) text += "  " + (kMore + std::to_string(explanation.moreNearMisses)) + kCount + "\r\n";
  return text;
}
