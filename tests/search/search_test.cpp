// Queries and matching.
#include <gtest/gtest.h>

#include "os/lead_byte.h"
#include "os/text.h"
#include "search/cp932_code_points.h"
#include "search/match_line.h"
#include "search/programme_matcher.h"
#include "search/search_text.h"
#include "tests/support/search_week.h"

namespace {

using search_week::sj;
using search_week::week;

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

// The matcher passes over a text without a word's Shift-JIS pairs before it
// folds; what it finds must be what folding alone finds.
TEST(SearchText, OnlyTwoByteCharactersAreToldByTheirPairs) {
  std::vector<std::string> pairs;
  EXPECT_TRUE(cp932PairsFoldingTo("山", pairs));
  EXPECT_EQ(std::vector<std::string>{sj("山")}, pairs);
  EXPECT_TRUE(cp932PairsFoldingTo("髙", pairs));  // an IBM and an NEC-selected code
  EXPECT_EQ(2u, pairs.size());
  for (const char* shared : {"a", "ア", "ガ", "。", "\xef\xbf\xbd"})  // ASCII, half-width kana, no character
    EXPECT_FALSE(cp932PairsFoldingTo(shared, pairs)) << shared;
}

// The one code point `utf8` holds below U+10000, else U+FFFD.
unsigned soleCodePoint(const std::string& utf8) {
  const unsigned char lead = utf8.empty() ? 0 : static_cast<unsigned char>(utf8[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (utf8.size() != length || length == 4) return 0xFFFD;
  unsigned code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) code = code << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  return code;
}

TEST(SearchText, TheWrittenOutCodePageReadsAsTheSystemReadsIt) {
  int row = 0;
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    const char lead = static_cast<char>(byte);
    if (!os::isLeadByte(static_cast<unsigned char>(byte))) {
      EXPECT_EQ(soleCodePoint(os::cp932ToUtf8(std::string(1, lead))), kCp932SingleBytes[byte - 0x80]) << byte;
      continue;
    }
    ASSERT_LT(row, kCp932LeadBytes);
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string pair{lead, static_cast<char>(trail)};
      EXPECT_EQ(soleCodePoint(os::cp932ToUtf8(pair)), kCp932Pairs[row][trail - 0x40]) << byte << " " << trail;
    }
    ++row;
  }
  EXPECT_EQ(kCp932LeadBytes, row);
}

TEST(SearchMatching, PassingOverTextsBeforeFoldingLosesNoMatch) {
  std::vector<std::string> codes;
  ASSERT_TRUE(cp932PairsFoldingTo("髙", codes));
  Listing listing = week();
  ProgrammeRecord& news = listing.programmes[0];
  ProgrammeRecord& anime = listing.programmes[2];
  news.title = codes[0] + sj("橋の夜");
  anime.description = sj("出演：") + codes[1] + sj("橋");
  const auto count = [&](const char* text) {
    ProgrammeQuery query;
    QueryProblem problem;
    ProgrammeMatcher matcher;
    EXPECT_TRUE(parseQueryText(sj(text), query, problem) && matcher.compile(query, problem)) << text;
    return findMatches(listing, matcher).size();
  };
  EXPECT_EQ(2u, count("髙橋"));  // either code, in the title or the description
  EXPECT_EQ(1u, count("髙橋 -夜"));
  EXPECT_EQ(1u, count("髙橋 --channel ＢＳ１"));
  // The words are looked for in the first kMaxSearchedText bytes only.
  std::string filler;
  for (std::size_t i = 0; i < kMaxSearchedText / 3; ++i) filler += sj("あ");
  anime.description = filler + codes[1] + sj("橋");
  EXPECT_EQ(1u, count("髙橋"));
  anime.description = filler.substr(0, filler.size() / 2) + codes[1] + sj("橋");
  EXPECT_EQ(2u, count("髙橋"));
  // A title alone decides a match, within the same first bytes.
  news.title = filler + sj("あ") + codes[0] + sj("橋");
  EXPECT_EQ(1u, count("髙橋"));
}

TEST(SearchMatching, ALineShowsTheCalendarDateOfAProgrammeAfterMidnight) {
  const ProgrammeRecord late = week().programmes[3];
  EXPECT_EQ(sj("12/05(土) 00:30-01:30 BS1 深夜アニメ Ｍａｇｉｃ"), matchLine(late));
}

}  // namespace
