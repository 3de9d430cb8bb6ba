// XmltvGenres: the English category names and the genre each stands for.
#include "xmltv/xmltv_genres.h"

#include "listing/genre_names.h"
#include "programme/genre_table.h"

namespace {

constexpr int kWhite = 0xFFFFFF;

struct EnglishGenre {
  const char* category;  // lower case; compared without regard to case
  int genreNumber;       // as in the genre table
};

// Other words grabbers use, beside the names the export writes.
const EnglishGenre kEnglishGenres[] = {
    {"movie", 0},
    {"film", 0},
    {"music", 1},
    {"drama", 2},
    {"soap opera", 2},
    {"animation", 3},
    {"anime", 3},
    {"cartoon", 3},
    {"sport", 4},
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
    // The export's own English names first (those of earlier versions too);
    // a name two genres share is the first's.
    for (int i = 0; i < kGenreRowCount; ++i) {
      const int number = kGenreTable[i].number;
      const std::string former = lowered(genreNameEnglishFormer(number));
      if (name == lowered(genreNameEnglish(number)) || (!former.empty() && name == former)) {
        return kGenreTable[i].colour;
      }
    }
    for (const EnglishGenre& genre : kEnglishGenres) {
      if (name == genre.category) return colourOfGenreNumber(genre.genreNumber);
    }
  }
  return kWhite;
}
