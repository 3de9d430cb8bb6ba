#include "search/query_problem.h"

namespace {
const char kUnclosedQuote[] = "\x88\xf8\x97\x70\x95\x84\x82\xaa\x95\xc2\x82\xb6\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";  // "引用符が閉じていません"
const char kOpen[] = "\x81u";  // 「
const char kIsNot[] = "\x81v\x82\xcd";  // 」は
const char kNothingAsked[] = "\x8c\x9f\x8d\xf5\x82\xb7\x82\xe9\x8f\xf0\x8c\x8f\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 検索する条件がありません
const char kHasNoValue[] = "\x82\xc9\x92l\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // に値がありません
const char kGenre[] = "\x83W\x83\x83\x83\x93\x83\x8b";  // ジャンル
const char kExists[] = "\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // ありません
const char kTimeWindow[] = "\x8e\x9e\x8a\xd4\x91\xd1 HH:MM-HH:MM \x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 時間帯 HH:MM-HH:MM ではありません
const char kWeekdays[] = "\x97j\x93\xfa\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 曜日ではありません
const char kUnknownOption[] = "\x92m\x82\xe7\x82\xc8\x82\xa2\x83I\x83v\x83V\x83\x87\x83\x93\x82\xc5\x82\xb7: ";  // 知らないオプションです:
const char kRegex[] = "\x90\xb3\x8bK\x95\\\x8c\xbb";  // 正規表現
const char kCannotUse[] = "\x81\x76\x82\xcc\x8c\xe3\x95\xfb\x8e\x51\x8f\xc6\x82\xe2\x90\xe6\x93\xc7\x82\xdd\x82\xcd\x8c\x9f\x8d\xf5\x82\xc5\x8e\x67\x82\xa6\x82\xdc\x82\xb9\x82\xf1";  // 」の後方参照や先読みは検索で使えません
const char kTooLarge[] = "\x81\x76\x82\xcd\x91\xe5\x82\xab\x82\xb7\x82\xac\x82\xdc\x82\xb7";  // 」は大きすぎます
const char kIsWrong[] = "\x81v\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 」が正しくありません
}  // namespace

std::string englishText(const QueryProblem& problem) {
  const std::string& subject = problem.subject;
  switch (problem.kind) {
    case QueryProblem::kNone: return std::string();
    case QueryProblem::kEmpty: return "the query is empty";
    case QueryProblem::kNeedsValue: return subject + " needs a value";
    case QueryProblem::kNoSuchGenre: return "no genre '" + subject + "'";
    case QueryProblem::kNotATimeWindow: return "'" + subject + "' is not a time window HH:MM-HH:MM";
    case QueryProblem::kNotWeekdays: return "'" + subject + "' is not a list of weekdays";
    case QueryProblem::kUnknownOption: return "unknown option " + subject;
    case QueryProblem::kUnclosedQuote: return "a quote is not closed";
    case QueryProblem::kBadRegex: return "invalid regular expression '" + subject + "'";
    case QueryProblem::kUnsupportedRegex:
      return "regular expression '" + subject + "' uses what search does not support (a back-reference, a look-ahead, [[.x.]] or [[=x=]])";
    case QueryProblem::kRegexTooLarge:
      return "regular expression '" + subject + "' is too large: its repeats or groups go too deep";
  }
  return std::string();
}

std::string japaneseText(const QueryProblem& problem) {
  const std::string& subject = problem.subject;
  switch (problem.kind) {
    case QueryProblem::kNone: return std::string();
    case QueryProblem::kEmpty: return kNothingAsked;
    case QueryProblem::kNeedsValue: return subject + " " + kHasNoValue;
    case QueryProblem::kNoSuchGenre: return kGenre + std::string(kOpen) + subject + kIsNot + kExists;
    case QueryProblem::kNotATimeWindow: return kOpen + subject + kIsNot + kTimeWindow;
    case QueryProblem::kNotWeekdays: return kOpen + subject + kIsNot + kWeekdays;
    case QueryProblem::kUnknownOption: return kUnknownOption + subject;
    case QueryProblem::kUnclosedQuote: return kUnclosedQuote;
    case QueryProblem::kBadRegex: return kRegex + std::string(kOpen) + subject + kIsWrong;
    case QueryProblem::kUnsupportedRegex: return kRegex + std::string(kOpen) + subject + kCannotUse;
    case QueryProblem::kRegexTooLarge: return kRegex + std::string(kOpen) + subject + kTooLarge;
  }
  return std::string();
}
