// Regular expressions searched in one pass: what they mean, and queries
// that used to crash the program or keep it busy for ever.
#include <gtest/gtest.h>

#include "os/text.h"
#include "search/programme_matcher.h"
#include "search/text_pattern.h"

namespace {

std::string repeated(const std::string& part, std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += part;
  return text;
}

TEST(TextPattern, MeansWhatTheQueryLanguageSays) {
  struct Case {
    std::string pattern;
    std::string text;
    bool found;
  };
  const Case cases[] = {
      {"b.d", "abcd", true},         {"a.c", "a\nc", false},         {"a.c", "a\rc", false},
      {"a[^b]c", "a\nc", true},      {"(.|\\n)+c", "a\nbc", true},    {"^b", "a\nb", false},
      {"^a|x", "ab", true},          {"b$", "ab\n", false},           {"b$", "ab", true},
      {"\\bb", "ab", false},         {"\\Bb", "ab", true},            {"\\bb\\b", "a b.", true},
      {"a{2}{3}", "aaaaa", false},   {"a{2}{3}", "aaaaaa", true},     {"a{2,}b", "aab", true},
      {"xa{0}b", "xb", true},        {"a{1,2}?c", "aac", true},       {"(?:ab)+$", "xabab", true},
      {"[[:digit:]]\\d", "a12", true}, {"[\\w-]{3}", "a-b", true},    {"\\x41\\u0042", "AB", true},
      {"[a-c]+z", "cbaz", true},     {"\\s\\S", "a \t", false},       {"x*", "", true},
      {"$", "", true},               {"\\b", "", false},              {"[]", "a", false},
      {"[^]", "\n", true},           {"a|", "b", true},               {"\\.\\*", "a.*", true},
      {"(a|ab)(c|bcd)(d*)$", "abcd", true},
      {std::string("a\0b", 3), "ab", false},  // a NUL byte is a character, not a repeat
      {std::string("\\\0", 2), std::string(1, '\0'), true},
  };
  for (const Case& c : cases) {
    TextPattern pattern;
    ASSERT_EQ(PatternVerdict::kCompiled, pattern.compile(c.pattern)) << c.pattern;
    EXPECT_EQ(c.found, pattern.foundIn(c.text)) << c.pattern << " in " << c.text;
  }
}

TEST(TextPattern, RefusesWhatItCannotSearchInOnePassAndWhatIsMalformed) {
  struct Case {
    std::string pattern;
    PatternVerdict verdict;
  };
  const Case cases[] = {
      {"(", PatternVerdict::kMalformed},       {"a)", PatternVerdict::kMalformed},
      {"*a", PatternVerdict::kMalformed},      {"^*", PatternVerdict::kMalformed},
      {"a{", PatternVerdict::kMalformed},      {"a{3,1}", PatternVerdict::kMalformed},
      {"a{,3}", PatternVerdict::kMalformed},   {"[z-a]", PatternVerdict::kMalformed},
      {"[\\d-z]", PatternVerdict::kMalformed}, {"[a", PatternVerdict::kMalformed},
      {"\\", PatternVerdict::kMalformed},      {"\\x4", PatternVerdict::kMalformed},
      {"[[:nothing:]]", PatternVerdict::kMalformed}, {"(?<=a)b", PatternVerdict::kMalformed},
      {"(a)\\1", PatternVerdict::kUnsupported}, {"(?=a)", PatternVerdict::kUnsupported},
      {"(?!a)", PatternVerdict::kUnsupported},  {"[[.a.]]", PatternVerdict::kUnsupported},
      {"\\u3042", PatternVerdict::kUnsupported},
      {"x{159}", PatternVerdict::kCompiled},   {"x{160}", PatternVerdict::kTooLarge},
      {"(a{0,10}){0,10}", PatternVerdict::kTooLarge},
      {"x{99999999999}", PatternVerdict::kTooLarge},
      {"a*****", PatternVerdict::kTooLarge},
      {repeated("(", 65) + "a" + repeated(")", 65), PatternVerdict::kTooLarge},
      {repeated("(", 64) + "a" + repeated(")", 64), PatternVerdict::kCompiled},
      {repeated("a", 100000), PatternVerdict::kTooLarge},
  };
  for (const Case& c : cases) {
    TextPattern pattern;
    EXPECT_EQ(c.verdict, pattern.compile(c.pattern)) << c.pattern.substr(0, 80);
  }
}

// Each of these once ended the program (one stack frame per byte of text)
// or never finished (backtracking); now each is one pass over a text of at
// most kMaxSearchedText bytes, or refused with a reason.
TEST(HostileQueries, AnswerOrAreRefusedWithAReason) {
  struct Case {
    const char* query;
    std::string description;  // UTF-8
    const char* outcome;      // "match", "none" or the refusal
  };
  const std::string kana(repeated("あ", 4000));   // an XMLTV import's longest, folded
  const std::string letters(repeated("ab", 6000));  // 12,000 bytes
  const Case cases[] = {
      {"--regex (.|\\n)*c", kana + "c", "match"},
      {"--regex (.|\\n)*c", repeated("ab", 64 * 1024) + "c", "none"},  // the c is past the searched text
      {"--regex (a|b)*c", letters, "none"},
      {"--regex (.?){79}$", letters, "match"},
      {"--regex a*c", repeated("a", 32000), "none"},
      {"--regex (.|.)*@", kana, "none"},
      {"--regex (a*)*(b*)*$", repeated("a", 32000) + "c", "match"},
      {"--regex -(.|\\n)*c x", kana + "c", "none"},  // an excluded pattern is searched too
      {"--regex (a{0,10}){0,10}", "",
       "regular expression '(a{0,10}){0,10}' is too large: its repeats or groups go too deep"},
      {"--regex (a)\\1", "",
       "regular expression '(a)\\1' uses what search does not support (a back-reference, a look-ahead, "
       "[[.x.]] or [[=x=]])"},
      {"ab", repeated("x", 20000) + "ab", "none"},  // the cap holds for words too
      {"ab", repeated("x", 15000) + "ab", "match"},
      {"--regex a{80} a{79}", "", "regular expression 'a{79}' is too large: its repeats or groups go too deep"},
  };
  for (const Case& c : cases) {
    ProgrammeRecord record;
    record.title = "x";
    record.description = os::utf8ToCp932(c.description);
    ProgrammeQuery query;
    QueryProblem problem;
    ProgrammeMatcher matcher;
    ASSERT_TRUE(parseQueryText(c.query, query, problem)) << c.query;
    const std::string outcome = !matcher.compile(query, problem) ? englishText(problem)
                                : matcher.matches(record)        ? "match"
                                                                 : "none";
    EXPECT_EQ(c.outcome, outcome) << c.query;
  }
}

}  // namespace
