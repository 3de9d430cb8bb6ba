// Genre names for the exports.
#include "listing/genre_names.h"

#include "os/ascii.h"
#include "programme/genre_table.h"

namespace {

struct EnglishName {
  int number;
  const char* name;
  const char* former;  // what the exports wrote before, still understood; or null
};

// The top-level content names of the DVB genre table Kodi's IPTV Simple
// add-on ships for its genre mapping, so that the guide gets its colours.
// Drama shares its category with film; animation is counted with the
// programmes for children, cooking with the leisure hobbies.
const EnglishName kEnglishNames[] = {
    {0, "General Movie / Drama", "Movie / Drama"},
    {1, "Music / Ballet / Dance", nullptr},
    {2, "General Movie / Drama", "Movie / Drama"},
    {3, "Children's / Youth Programmes", nullptr},  // "... programmes" before: the same without case
    {4, "Sports", nullptr},
    {7, "Leisure / Hobbies", "Leisure hobbies"},
};

const EnglishName* englishRow(int number) {
  for (const EnglishName& row : kEnglishNames) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

// `wanted` (lower case) is `english` whole or one of its " / " parts.
bool namesPartOf(const std::string& english, const std::string& wanted) {
  if (english == wanted) return true;
  for (std::size_t start = 0; start < english.size();) {
    std::size_t end = english.find(" / ", start);
    if (end == std::string::npos) end = english.size();
    if (end - start == wanted.size() && english.compare(start, end - start, wanted) == 0) return true;
    start = end + 3;
  }
  return false;
}

}  // namespace

const char* genreNameJapanese(int number) {
  for (int i = 0; i < kGenreRowCount; ++i) {
    if (kGenreTable[i].number == number) return kGenreTable[i].name;
  }
  return "";
}

const char* genreNameEnglish(int number) {
  const EnglishName* row = englishRow(number);
  return row ? row->name : "";
}

const char* genreNameEnglishFormer(int number) {
  const EnglishName* row = englishRow(number);
  return row && row->former ? row->former : "";
}

std::vector<const GenreRow*> genreRowsNamed(const std::string& name) {
  std::vector<const GenreRow*> rows;
  if (const GenreRow* row = findGenre(name)) return {row};
  const std::string wanted = ascii::lowered(name.c_str());
  for (int i = 0; i < kGenreRowCount; ++i) {
    const int number = kGenreTable[i].number;
    const std::string former = ascii::lowered(genreNameEnglishFormer(number));
    if (namesPartOf(ascii::lowered(genreNameEnglish(number)), wanted) || (!former.empty() && namesPartOf(former, wanted))) {
      rows.push_back(&kGenreTable[i]);
    }
  }
  return rows;
}
