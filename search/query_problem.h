// QueryProblem: why a query was refused, kept apart from its wording: the
// command line and the watch list tell it in English (englishText), the
// window in Japanese (japaneseText), the web pages in either.
#pragma once

#include <string>

struct QueryProblem {
  enum Kind {
    kNone,
    kEmpty,           // the query asks for nothing
    kNeedsValue,      // an option without its value
    kNoSuchGenre,     // a --genre value that names none
    kNotATimeWindow,  // a --time value
    kNotWeekdays,     // a --weekday value
    kUnknownOption,
    kUnclosedQuote,
    kBadRegex,        // a word that is no regular expression
    kUnsupportedRegex,  // one with a back-reference, a look-ahead or a collating element
    kRegexTooLarge,     // one whose repeats make too large an automaton, or nested too deep
  };
  Kind kind = kNone;
  std::string subject;  // the option, value or pattern it is about (Shift-JIS)
};

std::string englishText(const QueryProblem& problem);
// The same in Japanese (Shift-JIS), as the window and the web pages tell it.
std::string japaneseText(const QueryProblem& problem);
