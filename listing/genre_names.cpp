// Genre names for the exports.
#include "listing/genre_names.h"

#include <cctype>

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

std::vector<const GenreRow*> genreRowsNamed(const std::string& name) {
  std::vector<const GenreRow*> rows;
  if (const GenreRow* row = findGenre(name)) return {row};
  std::string wanted;
  for (char c : name) wanted += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (int i = 0; i < kGenreRowCount; ++i) {
    std::string english;
    for (const char* c = genreNameEnglish(kGenreTable[i].number); *c; ++c) {
      english += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    bool matches = english == wanted;
    for (std::size_t start = 0; !matches && start < english.size();) {
      std::size_t end = english.find(" / ", start);
      if (end == std::string::npos) end = english.size();
      matches = english.compare(start, end - start, wanted) == 0 && end - start == wanted.size();
      start = end + 3;
    }
    if (matches) rows.push_back(&kGenreTable[i]);
  }
  return rows;
}
