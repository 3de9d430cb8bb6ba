// The names of the genres in the exports: Japanese as the guide names them,
// English after the top-level content categories of digital broadcasting.
#pragma once

#include <string>
#include <vector>

struct GenreRow;

// Shift-JIS name of genre `number` (a GenreTable number); "" for none.
const char* genreNameJapanese(int number);
// English category of genre `number`; "" for none.
const char* genreNameEnglish(int number);
// The genre rows `name` names: the Japanese name, or (any case) the English
// category or one of its parts ("Movie / Drama", "drama"), which may stand
// for several rows. Empty when none.
std::vector<const GenreRow*> genreRowsNamed(const std::string& name);
