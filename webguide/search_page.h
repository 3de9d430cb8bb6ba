// SearchPage: the page of a search across the days the pages offer: one
// line per match (day, time, channel, title in its genre's colour), each a
// link to the programme on its day's page, and the address of the same
// search as a calendar feed. Programmes that have ended are left out unless
// asked for; the page counts them and links to the search with them.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"
#include "webguide/page_frame.h"

// The matches one page lists; the page links to the pages before and after.
constexpr std::size_t kMatchesPerPage = 500;

// `head.searchText` is the search as typed (UTF-8); empty gives the page
// that asks for one. `matches` are those to list; `endedLeftOut` counts
// the ended ones left out of them; `page` is which of their pages (from 0;
// one past the last lists none).
std::string searchPage(const std::vector<ProgrammeRecord>& matches, std::size_t endedLeftOut, const PageHead& head,
                       const PageClock& clock, const PageTexts& texts, std::size_t page = 0);

// One match as the page lists it: an <li> linking to its day's page.
// `note` (Shift-JIS), when there is one, follows the line in small print.
void appendMatchLine(std::string& out, const ProgrammeRecord& record, const PageTexts& texts,
                     const std::string& note = std::string());

// Takes the programmes that ended by `now` out of `matches`; how many.
std::size_t leaveOutEnded(std::vector<ProgrammeRecord>& matches, GuideMinute now);

// "%XX" for every byte outside A-Z a-z 0-9 - . _ ~, for a query value.
std::string percentEncoded(const std::string& text);
