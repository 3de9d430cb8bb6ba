// The names of the genres in the exports: Japanese as the guide names them,
// English after the top-level content categories of digital broadcasting,
// spelt as Kodi's IPTV Simple maps them to its genre colours.
#pragma once

#include <string>
#include <vector>

struct GenreRow;

// Shift-JIS name of genre `number` (a GenreTable number); "" for none.
const char* genreNameJapanese(int number);
// English category of genre `number`; "" for none.
const char* genreNameEnglish(int number);
// The English name earlier versions wrote for genre `number` where it
// differed from genreNameEnglish by more than case; "" for none. Readers
// keep taking it, so that scripts and old exports go on working.
const char* genreNameEnglishFormer(int number);
// The genre rows `name` names: the Japanese name, or (any case) the English
// category, the former one, or one of their parts ("General Movie / Drama",
// "Movie / Drama", "drama"), which may stand for several rows. Empty when
// none.
std::vector<const GenreRow*> genreRowsNamed(const std::string& name);
