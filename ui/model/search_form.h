// SearchForm: the search dialog's choices and the query they make. The
// text box takes what a watch entry's line takes (words, "-word", quotes,
// --regex and the other options); the two lists add a channel and a genre.
#pragma once

#include <string>
#include <vector>

#include "search/programme_query.h"

class ProgrammeTable;

// "すべて", then the channel names of `day` (a day table) in column order.
std::vector<std::string> searchChannelChoices(const ProgrammeTable& day);
// "すべて", then the genre names in genre table order.
std::vector<std::string> searchGenreChoices();

// The query of the dialog: `channel` and `genre` are indexes into the
// choices above (0 for any). False with `problem` (Shift-JIS) for a query
// that asks for nothing, cannot be read or does not compile (a bad regular
// expression, which the problem names).
bool searchFormQuery(const std::string& words, const std::vector<std::string>& channelChoices, int channel,
                     int genre, ProgrammeQuery& query, std::string& problem);
