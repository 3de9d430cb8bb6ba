// The watch list with what it remembers, and its entries explained.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "os/text.h"
#include "search/programme_matcher.h"
#include "search/search_text.h"
#include "tests/support/search_week.h"
#include "watch/watch_check.h"
#include "watch/watch_explain.h"
#include "watch/watch_memory.h"

namespace {

using search_week::sj;
using search_week::week;

// Matches as "title|", near misses as "title:reason|"; the matches must be
// the matcher's own.
std::string explained(const char* queryUtf8, std::size_t limit) {
  const char* const kinds[] = {"word ", "-", "channel", "genre", "time", "weekday"};
  ProgrammeQuery query;
  QueryProblem problem;
  WatchExplanation explanation;
  const GuideMinute now = guideMinute(dayNumber(2026, 12, 4), 0);
  if (!parseQueryText(sj(queryUtf8), query, problem) || !explainQuery(week(), query, now, limit, explanation, problem))
    return "! " + englishText(problem);
  std::string found, matched, text;
  for (const ProgrammeRecord& record : findMatches(week(), query)) found += os::cp932ToUtf8(record.title) + "|";
  for (const ProgrammeRecord& record : explanation.matches) matched += os::cp932ToUtf8(record.title) + "|";
  EXPECT_EQ(found, matched) << queryUtf8;
  text = matched + " ";
  for (const NearMiss& miss : explanation.nearMisses)
    text += os::cp932ToUtf8(miss.record.title) + ":" + kinds[miss.failed.kind] + os::cp932ToUtf8(miss.failed.word) + "|";
  if (explanation.moreNearMisses > 0) text += "+" + std::to_string(explanation.moreNearMisses);
  return text;
}

TEST(WatchExplain, NamesTheOneConditionEachNearMissFailed) {
  struct Case {
    const char* query;
    std::size_t limit;
    const char* expected;
  };
  const Case cases[] = {
      {"--channel NHK ニュース -天気予報", 20, "ニュース９| ニュース:-天気予報|"},
      {"ニュース 天気 全国", 20, "ニュース９| ニュース:word 全国|"},
      {"--time 19:00-22:00 ニュース", 20, "ニュース９| ニュース:time|映画 Sports Day:word ニュース|"},
      // The 00:30 programme belongs to Friday; a genre and a day miss apart.
      {"--genre アニメ --weekday sat", 20,
       " ｱﾆﾒ ｶﾞﾝﾀﾞﾑ:weekday|深夜アニメ Ｍａｇｉｃ:weekday|ニュース:genre|映画 Sports Day:genre|"},
      {"--genre アニメ --weekday sat", 1, " ｱﾆﾒ ｶﾞﾝﾀﾞﾑ:weekday|+3"},
      {"--regex --channel BS1 ^映画", 20, "映画 Sports Day| ｱﾆﾒ ｶﾞﾝﾀﾞﾑ:word ^映画|深夜アニメ Ｍａｇｉｃ:word ^映画|"},
      {"ニュース", 20, "ニュース９|ニュース| "},  // one condition: every other programme would be a miss
      {"--regex (", 20, "! invalid regular expression '('"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, explained(c.query, c.limit)) << c.query;
}

TEST(WatchList, DamagedEntriesAreReportedKeptAndSkipped) {
  SettingsStore settings;
  settings.setString("_config", "days", "7");
  settings.setString(kWatchSection, "1", sj("--channel BS1 アニメ"));
  settings.setString(kWatchSection, "2", "--time 99:00-01:00");
  settings.setString(kWatchSection, "x", "news");
  WatchList list = loadWatchList(settings);
  ASSERT_EQ(1u, list.entries.size());
  EXPECT_EQ(2u, list.problems.size());
  ProgrammeQuery added;
  QueryProblem problem;
  ASSERT_TRUE(parseQueryText("--reserve news", added, problem));
  EXPECT_EQ(3, addWatchEntry(list, added));
  EXPECT_TRUE(removeWatchEntry(list, 1));
  EXPECT_FALSE(removeWatchEntry(list, 7));
  ASSERT_TRUE(saveWatchList(settings, list));

  const WatchList again = loadWatchList(settings);
  ASSERT_EQ(1u, again.entries.size());
  EXPECT_EQ(3, again.entries[0].number);
  EXPECT_TRUE(again.entries[0].query.reserve);
  EXPECT_EQ("--time 99:00-01:00", settings.getString(kWatchSection, "2", ""));
  EXPECT_EQ("news", settings.getString(kWatchSection, "x", ""));
  EXPECT_EQ("7", settings.getString("_config", "days", ""));
}

TEST(WatchCheck, AnnouncesAndReservesEachProgrammeOnceAndForgetsEndedOnes) {
  SettingsStore settings;
  settings.setString(kWatchSection, "1", sj("--reserve アニメ"));
  settings.setString(kWatchSection, "2", sj("ニュース"));
  settings.setString(kWatchSection, "3", "--regex [");
  const WatchList list = loadWatchList(settings);
  const GuideMinute now = guideMinute(dayNumber(2026, 12, 4), 22 * 60);

  WatchCheck first = checkWatchList(week(), list, settings, now);
  EXPECT_EQ(3u, first.current.size());  // the 21:00 news has ended
  EXPECT_EQ(3u, first.fresh.size());
  ASSERT_EQ(2u, first.toReserve.size());
  EXPECT_EQ(1u, first.problems.size());
  rememberAnnounced(settings, first, first.fresh, now);
  rememberReserved(settings, first, first.toReserve, now);
  EXPECT_EQ("202612050130", settings.getString(kReservedSection, "bs1.tokyo.jp/202612050030", ""));

  WatchCheck second = checkWatchList(week(), list, settings, now);
  EXPECT_EQ(3u, second.current.size());
  EXPECT_TRUE(second.fresh.empty());
  EXPECT_TRUE(second.toReserve.empty());

  rememberAnnounced(settings, WatchCheck(), {}, guideMinute(dayNumber(2026, 12, 5), 6 * 60));
  EXPECT_EQ(1u, settings.section(kAnnouncedSection).size());  // only the 07:00 news is left
}

}  // namespace
