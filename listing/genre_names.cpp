// Genre names for the exports.
#include "listing/genre_names.h"

#include "programme/genre_table.h"

namespace {

struct EnglishName {
  int number;
  const char* name;
};

// Drama shares its category with film; animation is counted with the
// programmes for children, cooking with the leisure hobbies.
const EnglishName kEnglishNames[] = {
    {0, "Movie / Drama"},
    {1, "Music / Ballet / Dance"},
    {2, "Movie / Drama"},
    {3, "Children's / Youth programmes"},
    {4, "Sports"},
    {7, "Leisure hobbies"},
};

}  // namespace

const char* genreNameJapanese(int number) {
  for (int i = 0; i < kGenreRowCount; ++i) {
    if (kGenreTable[i].number == number) return kGenreTable[i].name;
  }
  return "";
}

const char* genreNameEnglish(int number) {
  for (const EnglishName& row : kEnglishNames) {
    if (row.number == number) return row.name;
  }
  return "";
}
