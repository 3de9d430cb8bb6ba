// XmltvGenres: the English category names and the genre each stands for.
#include "xmltv/xmltv_genres.h"

#include "programme/genre_table.h"

namespace {

constexpr int kWhite = 0xFFFFFF;

struct EnglishGenre {
  const char* category;  // lower case; compared without regard to case
  int genreNumber;       // as in the genre table
};

// The first row of each genre is its name in an export.
const EnglishGenre kEnglishGenres[] = {
    {"movie / drama", 0},
    {"movie", 0},
    {"film", 0},
    {"music / ballet / dance", 1},
    {"music", 1},
    {"drama", 2},
    {"soap opera", 2},
    {"children's / youth programmes", 3},
    {"children's / youth programs", 3},
    {"animation", 3},
    {"anime", 3},
    {"cartoon", 3},
    {"sports", 4},
    {"sport", 4},
    {"leisure hobbies", 7},
    {"cooking", 7},
    {"cookery", 7},
};

std::string lowered(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int colourOfGenreNumber(int number) {
  for (int i = 0; i < kGenreRowCount; ++i) {
    if (kGenreTable[i].number == number) return kGenreTable[i].colour;
  }
  return kWhite;
}

}  // namespace

int genreColourOfCategories(const std::vector<std::string>& categories) {
  for (const std::string& category : categories) {
    if (const GenreRow* row = findGenre(category)) return row->colour;
  }
  for (const std::string& category : categories) {
    const std::string name = lowered(category);
    for (const EnglishGenre& genre : kEnglishGenres) {
      if (name == genre.category) return colourOfGenreNumber(genre.genreNumber);
    }
  }
  return kWhite;
}
