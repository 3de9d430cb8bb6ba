#include "search/query_problem.h"

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
