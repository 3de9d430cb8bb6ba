// PageTexts: every text the pages say themselves, once per language, in
// Shift-JIS like every text of the program (the pages convert them to
// UTF-8 as they write them). "{}" in a text stands for a number or date.
#pragma once

#include <string>

#include "calendar/calendar.h"
#include "search/query_problem.h"
#include "webguide/page_language.h"

struct PageTexts {
  PageLanguage language;
  const char* htmlLang;       // the <html lang> value
  const char* days;           // the day tabs' label
  const char* today;          // the mark on today's tab
  const char* searchHint;     // the search box's placeholder
  const char* searchButton;
  const char* endedToo;       // the search box's tick for ended programmes
  const char* footer;
  const char* airing;         // the mark of a programme running now
  const char* jumpNow;
  const char* jumpTonight;
  const char* jumpChannel;
  const char* nothingCached;  // {} = the date
  const char* badDate;
  const char* searchTooLong;  // {} = the limit in bytes
  const char* searchHelp;
  const char* oneMatch;       // {} = the count
  const char* manyMatches;
  const char* endedHidden;    // {} = how many
  const char* showEnded;
  const char* calendarFeed;
  const char* watchTitle;     // the watch page's title and its link
  const char* noWatchEntries;
  const char* watchEntry;     // {} = the entry's number
  const char* watchNothing;   // an entry with no current match
  const char* watchChanges;   // the heading of the watched programmes' changes
  const char* changeKinds[4];  // moved, extended, cancelled, new episode
  const char* reairOf;        // {} = the first airing's date and time
  const char* channelKinds[4];  // the channel tabs: terrestrial, BS, CS, other
  const char* previousPage;     // a search's pages of matches
  const char* nextPage;
  const char* reserved;       // the mark of a programme the recorder holds
};

const PageTexts& pageTexts(PageLanguage language);

// `pattern` with its "{}" replaced by `value`.
std::string filledIn(const char* pattern, const std::string& value);
// A day tab's name: "12/8(火)", or "Tue 12/8" in English.
std::string dayName(const CalendarDate& date, const PageTexts& texts);
// Why a search was refused, in the page's language (Shift-JIS).
std::string problemText(const QueryProblem& problem, const PageTexts& texts);
// The Japanese genre name as is, in English with its English name beside it.
std::string genreText(int genre, const PageTexts& texts);
