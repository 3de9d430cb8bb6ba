// Matches and near misses of a query, each condition judged by the matcher
// itself, so that an explanation never disagrees with a search.
#include "watch/watch_explain.h"

#include "config/settings_store.h"
#include "search/programme_matcher.h"
#include "watch/episode_judge.h"

namespace {

// A query asking only for `condition` of `query`.
ProgrammeQuery conditionQuery(const ProgrammeQuery& query, const QueryCondition& condition) {
  ProgrammeQuery part;
  part.regex = query.regex;
  switch (condition.kind) {
    case QueryCondition::kWord: part.words = {condition.word}; break;
    case QueryCondition::kExcluded: part.excluded = {condition.word}; break;
    case QueryCondition::kChannel: part.channels = query.channels; break;
    case QueryCondition::kGenre: part.genres = query.genres; break;
    case QueryCondition::kTime:
      part.windowFrom = query.windowFrom;
      part.windowTo = query.windowTo;
      break;
    case QueryCondition::kWeekday: part.weekdays = query.weekdays; break;
    case QueryCondition::kRepeat:
    case QueryCondition::kSeen: break;
  }
  return part;
}

}  // namespace

std::vector<QueryCondition> queryConditions(const ProgrammeQuery& query) {
  std::vector<QueryCondition> conditions;
  if (!query.channels.empty()) conditions.push_back({QueryCondition::kChannel, std::string()});
  if (!query.genres.empty()) conditions.push_back({QueryCondition::kGenre, std::string()});
  if (query.windowFrom >= 0) conditions.push_back({QueryCondition::kTime, std::string()});
  if (query.weekdays != 0) conditions.push_back({QueryCondition::kWeekday, std::string()});
  for (const std::string& word : query.words) conditions.push_back({QueryCondition::kWord, word});
  for (const std::string& word : query.excluded) conditions.push_back({QueryCondition::kExcluded, word});
  return conditions;
}

bool explainQuery(const Listing& listing, const ProgrammeQuery& query, GuideMinute now, std::size_t limit,
                  WatchExplanation& explanation, QueryProblem& problem, const SettingsStore* settings) {
  ProgrammeMatcher whole;
  if (!whole.compile(query, problem)) return false;
  const std::vector<QueryCondition> conditions = queryConditions(query);
  std::vector<ProgrammeMatcher> parts(conditions.size());
  for (std::size_t i = 0; i < conditions.size(); ++i)
    if (!parts[i].compile(conditionQuery(query, conditions[i]), problem)) return false;

  explanation = WatchExplanation();
  // In the order of a search's results, so both lists come out sorted.
  std::vector<ProgrammeRecord> programmes = listing.programmes;
  sortMatches(programmes, listing);
  const SettingsStore none;
  EpisodeJudge judge(settings ? *settings : none);
  const bool judged = followsEpisodes(query);
  std::vector<char> matched(programmes.size());
  for (std::size_t at = 0; at < programmes.size(); ++at) {
    matched[at] = programmes[at].stop > now && whole.matches(programmes[at]);
    if (matched[at] && judged) judge.note(programmes[at], query);
  }
  const auto addNearMiss = [&](NearMiss miss) {
    if (explanation.nearMisses.size() < limit)
      explanation.nearMisses.push_back(std::move(miss));
    else
      ++explanation.moreNearMisses;
  };
  for (std::size_t at = 0; at < programmes.size(); ++at) {
    const ProgrammeRecord& record = programmes[at];
    if (record.stop <= now) continue;
    if (matched[at]) {
      const EpisodeVerdict verdict = judged ? judge.verdictOf(record, query) : EpisodeVerdict();
      if (verdict.kind == EpisodeVerdict::kKept)
        explanation.matches.push_back(record);
      else if (verdict.kind == EpisodeVerdict::kRepeat)
        addNearMiss({record, {QueryCondition::kRepeat, std::string()}, std::string()});
      else
        addNearMiss({record, {QueryCondition::kSeen, std::string()}, verdict.firstAiring});
      continue;
    }
    if (conditions.size() < 2) continue;
    std::size_t failed = 0, failures = 0;
    for (std::size_t i = 0; i < conditions.size() && failures < 2; ++i) {
      if (parts[i].matches(record)) continue;
      failed = i;
      ++failures;
    }
    if (failures == 1) addNearMiss({record, conditions[failed], std::string()});
  }
  return true;
}
