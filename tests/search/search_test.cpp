// Queries, matching, and the watch list with what it remembers.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "os/text.h"
#include "search/match_line.h"
#include "search/programme_matcher.h"
#include "search/search_text.h"
#include "search/watch_check.h"
#include "search/watch_explain.h"
#include "search/watch_memory.h"

namespace {

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

ProgrammeRecord record(const char* channel, int december, int hour, int minute, const char* title,
                       const char* description, int genre) {
  ProgrammeRecord r;
  r.channel = sj(channel);
  r.channelId = channel[0] == 'B' ? "bs1.tokyo.jp" : "nhk.tokyo.jp";
  r.start = listingMinute(dayNumber(2026, 12, december), hour * 60 + minute);
  r.stop = r.start + 60;
  r.title = sj(title);
  r.description = sj(description);
  r.genre = genre;
  return r;
}

// 4 December 2026 is a Friday.
Listing week() {
  Listing listing;
  listing.channels = {{sj("ＮＨＫ総合"), "nhk.tokyo.jp"}, {"BS1", "bs1.tokyo.jp"}};
  listing.programmes = {
      record("ＮＨＫ総合", 4, 21, 0, "ニュース９", "全国の天気", 10),
      record("ＮＨＫ総合", 5, 7, 0, "ニュース", "天気予報", 10),
      record("BS1", 4, 23, 30, "ｱﾆﾒ ｶﾞﾝﾀﾞﾑ", "", 3),
      record("BS1", 5, 0, 30, "深夜アニメ Ｍａｇｉｃ", "", 3),  // Friday's broadcast day
      record("BS1", 5, 20, 0, "映画 Sports Day", "", 0),
  };
  return listing;
}

std::string titlesFound(const char* queryUtf8) {
  ProgrammeQuery query;
  QueryProblem problem;
  std::string titles;
  ProgrammeMatcher matcher;
  if (!parseQueryText(sj(queryUtf8), query, problem) || !matcher.compile(query, problem))
    return "! " + englishText(problem);
  for (const ProgrammeRecord& found : findMatches(week(), matcher)) titles += os::cp932ToUtf8(found.title) + "|";
  return titles;
}

TEST(SearchMatching, FoldsWidthCaseAndKanaAndHonoursEveryCondition) {
  struct Case {
    const char* query;
    const char* titles;
  };
  const Case cases[] = {
      {"ニュース9", "ニュース９|"},                               // full-width digit
      {"ガンダム", "ｱﾆﾒ ｶﾞﾝﾀﾞﾑ|"},                                // half-width kana with its sound mark
      {"アニメ", "ｱﾆﾒ ｶﾞﾝﾀﾞﾑ|深夜アニメ Ｍａｇｉｃ|"},
      {"MAGIC", "深夜アニメ Ｍａｇｉｃ|"},                        // case and width
      {"ニュース -天気予報", "ニュース９|"},                       // exclusion reads the description
      {"--channel NHK総合 ニュース", "ニュース９|ニュース|"},      // channel name folded too
      {"--channel nhk ニュース", "ニュース９|ニュース|"},          // a part of it will do
      {"--regex ニュース\\d", "ニュース９|"},
      {"--regex \"^映画\\s+SPORTS\"", "映画 Sports Day|"},
      {"--time 23:00-02:00", "ｱﾆﾒ ｶﾞﾝﾀﾞﾑ|深夜アニメ Ｍａｇｉｃ|"},  // across midnight
      {"--time 05:00-08:00", "ニュース|"},
      {"--weekday 金曜日", "ニュース９|ｱﾆﾒ ｶﾞﾝﾀﾞﾑ|深夜アニメ Ｍａｇｉｃ|"},
      {"--weekday sat --genre アニメ", ""},
      {"--genre drama", "映画 Sports Day|"},  // English part of a shared category
      {"", "! the query is empty"},
      {"--regex (", "! invalid regular expression '('"},
      {"--time 25:00-01:00", "! '25:00-01:00' is not a time window HH:MM-HH:MM"},
      {"--genre news", "! no genre 'news'"},
      {"\"open", "! a quote is not closed"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.titles, titlesFound(c.query)) << c.query;
}

TEST(SearchMatching, QueryTextReadsBackToTheSameQuery) {
  ProgrammeQuery query;
  query.words = {sj("a\"b"), sj("ニュース 9"), "mon\x90"};  // a stray lead byte must not join the next word
  query.excluded = {"x y"};
  query.channels = {"BS 1"};
  query.genres = {3};
  query.windowFrom = 23 * 60;
  query.windowTo = 60;
  query.weekdays = 0x41;
  query.regex = query.reserve = true;
  ProgrammeQuery back;
  QueryProblem problem;
  ASSERT_TRUE(parseQueryText(queryText(query), back, problem)) << englishText(problem);
  EXPECT_EQ(query.words, back.words);
  EXPECT_EQ(query.excluded, back.excluded);
  EXPECT_EQ(query.channels, back.channels);
  EXPECT_EQ(query.genres, back.genres);
  EXPECT_EQ(query.windowFrom, back.windowFrom);
  EXPECT_EQ(query.windowTo, back.windowTo);
  EXPECT_EQ(query.weekdays, back.weekdays);
  EXPECT_TRUE(back.regex && back.reserve);
}

TEST(SearchText, FoldsLikeAPersonReadsAndKeepsWhatItCannotRead) {
  struct Case {
    std::string cp932;
    const char* folded;
  };
  const Case cases[] = {
      {sj("ｳﾞｧｲｵﾘﾝ ﾊﾟﾝ ﾏﾞ"), "ヴァイオリン パン マ゛"},  // a mark that does not combine stays
      {sj("ＡＢＣ　ｘｙｚ！"), "abc xyz!"},
      {"\x82", "\xef\xbf\xbd"},        // a lead byte at the end
      {"\x81" " a", "\xef\xbf\xbd" " a"},  // a lead byte whose trail cannot pair
  };
  for (const Case& c : cases) EXPECT_EQ(c.folded, searchFormOfCp932(c.cp932)) << c.folded;
  EXPECT_EQ("\\S+\\D x", searchFormOfPattern("\\S+\\D X"));
}

TEST(SearchMatching, OptionsReadEveryFormTheyAreDocumentedIn) {
  struct Case {
    const char* text;
    int from, to;
    unsigned weekdays;
  };
  const Case cases[] = {
      {"--time=23:00-26:00 x", 23 * 60, 2 * 60, 0},
      {"--time 9:05-10:00 x", 9 * 60 + 5, 10 * 60, 0},
      {"--weekday 土日 x", -1, -1, 0x41},
      {"--weekday=Mon,tue x", -1, -1, 0x06},
  };
  for (const Case& c : cases) {
    ProgrammeQuery query;
    QueryProblem problem;
    ASSERT_TRUE(parseQueryText(sj(c.text), query, problem)) << c.text << englishText(problem);
    EXPECT_EQ(c.from, query.windowFrom) << c.text;
    EXPECT_EQ(c.to, query.windowTo) << c.text;
    EXPECT_EQ(c.weekdays, query.weekdays) << c.text;
  }
  ProgrammeQuery query;
  QueryProblem problem;
  ASSERT_TRUE(parseQueryText(sj("\"a b\"　-\"c d\""), query, problem));  // ideographic space between
  EXPECT_EQ(std::vector<std::string>{"a b"}, query.words);
  EXPECT_EQ(std::vector<std::string>{"c d"}, query.excluded);
}

TEST(SearchMatching, ALineShowsTheCalendarDateOfAProgrammeAfterMidnight) {
  const ProgrammeRecord late = week().programmes[3];
  EXPECT_EQ(sj("12/05(土) 00:30-01:30 BS1 深夜アニメ Ｍａｇｉｃ"), matchLine(late));
}

// Matches as "title|", near misses as "title:reason|"; the matches must be
// the matcher's own.
std::string explained(const char* queryUtf8, std::size_t limit) {
  const char* const kinds[] = {"word ", "-", "channel", "genre", "time", "weekday"};
  ProgrammeQuery query;
  QueryProblem problem;
  WatchExplanation explanation;
  const ListingMinute now = listingMinute(dayNumber(2026, 12, 4), 0);
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
  const ListingMinute now = listingMinute(dayNumber(2026, 12, 4), 22 * 60);

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

  rememberAnnounced(settings, WatchCheck(), {}, listingMinute(dayNumber(2026, 12, 5), 6 * 60));
  EXPECT_EQ(1u, settings.section(kAnnouncedSection).size());  // only the 07:00 news is left
}

}  // namespace
