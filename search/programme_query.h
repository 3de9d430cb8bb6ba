// ProgrammeQuery: what a search or a watch entry looks for, and its text
// form. The text form is the command line's: words, "-word" for a word
// that must not occur, and the options
//   --channel NAME   (repeatable; any of them)
//   --genre NAME     (repeatable; Japanese or English name, e.g. ドラマ, drama)
//   --time HH:MM-HH:MM  (start time of day; "23:00-02:00" crosses midnight,
//                        hours 24-28 count as the next morning)
//   --weekday DAYS   (broadcast days: 月火 or mon,tue)
//   --regex          (the words are ECMAScript regular expressions)
// A token holding a space or a quote is written in double quotes, a quote
// inside doubled. Texts are Shift-JIS.
//
// Calling protocol: parseQueryArguments (tokens, as the command line gives
// them) or parseQueryText (one line, as the watch list keeps it) fill a
// query and say what is wrong; queryText writes it back; a ProgrammeMatcher
// (programme_matcher.h) compiles it and says which records match.
#pragma once

#include <string>
#include <vector>

#include "search/query_problem.h"

struct ProgrammeQuery {
  std::vector<std::string> words;     // all must occur in the title or the description
  std::vector<std::string> excluded;  // none may occur
  std::vector<std::string> channels;  // channel names; any channel when empty
  std::vector<int> genres;            // GenreTable numbers; any genre when empty
  int windowFrom = -1;                // minute of the day 0..1439 a start may be at
  int windowTo = -1;                  // ... and before; before windowFrom: across midnight
  unsigned weekdays = 0;              // bit 1 << dayOfWeek (0 = Sunday) of the broadcast day; 0: all
  bool regex = false;
  bool reserve = false;               // a watch entry's automatic reservation (--reserve)
  bool newOnly = false;               // a watch entry's new episodes only: no repeats, none seen (--new)
  bool once = false;                  // a watch entry's each episode once; re-airs only listed (--once)
};

// True when the query asks for nothing at all.
bool isEmptyQuery(const ProgrammeQuery& query);

// Reads tokens into `query` (adding to it). "--opt=value" and "--opt value"
// both work. `allowReserve` accepts --reserve, --new and --once (watch
// entries). False, with
// `problem` naming the token, on an unknown option, a missing or bad value,
// or a query that asks for nothing.
bool parseQueryArguments(const std::vector<std::string>& tokens, ProgrammeQuery& query, QueryProblem& problem,
                         bool allowReserve = false);
// Splits one line into tokens (blanks, the ideographic space and quotes as
// described above) and reads them, the watch entries' options allowed.
bool parseQueryText(const std::string& text, ProgrammeQuery& query, QueryProblem& problem);
// The one-line form parseQueryText reads back to the same query.
std::string queryText(const ProgrammeQuery& query);
// The tokens of a line; false on an unterminated quote.
bool splitQueryText(const std::string& text, std::vector<std::string>& tokens);

// The genre numbers a name stands for (see genreRowsNamed).
std::vector<int> genresNamed(const std::string& name);
// "HH:MM-HH:MM" (or H:MM, hours up to 28) as two minutes of the day; false
// when it is not such a window or both ends are the same.
bool parseTimeWindow(const std::string& text, int& from, int& to);
// The window as parseTimeWindow reads it, "HH:MM-HH:MM".
std::string timeWindowText(int from, int to);
// "月火", "mon,tue" and the like (also "月曜", "Monday") as weekday bits; false when a
// part is not a day.
bool parseWeekdays(const std::string& text, unsigned& bits);
