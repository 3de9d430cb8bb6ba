// XmltvGenres: the English category names and the genre each stands for.
#include "xmltv/xmltv_genres.h"

#include <cstring>

#include "listing/genre_names.h"
#include "os/ascii.h"
#include "os/os.h"
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

// The separators of a tuner server's category: " - " between the classes,
// "／" (0x815E), "・" (0x8145) and "/" between the words of a class.
const char kClassSeparator[] = " - ";
const char* const kWordSeparators[] = {"\x81\x5E", "\x81\x45", "/"};

// The genre row one word of `category` names (the first in the text), or null.
const GenreRow* genreOfWords(const std::string& category) {
  std::size_t start = 0;
  for (std::size_t at = 0; at <= category.size();) {
    std::size_t separator = 0;
    if (at == category.size()) {
      separator = 1;
    } else if (category.compare(at, sizeof kClassSeparator - 1, kClassSeparator) == 0) {
      separator = sizeof kClassSeparator - 1;
    } else {
      for (const char* word : kWordSeparators) {
        if (category.compare(at, std::strlen(word), word) == 0) separator = std::strlen(word);
      }
    }
    if (separator == 0) {
      at += os::isLeadByte(static_cast<unsigned char>(category[at])) ? 2 : 1;
      continue;
    }
    if (const GenreRow* row = findGenre(category.substr(start, at - start))) return row;
    at += separator;
    start = at;
  }
  return nullptr;
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
    if (const GenreRow* row = genreOfWords(category)) return row->colour;
  }
  for (const std::string& category : categories) {
    const std::string name = ascii::lowered(category);
    // The export's own English names first (those of earlier versions too);
    // a name two genres share is the first's.
    for (int i = 0; i < kGenreRowCount; ++i) {
      const int number = kGenreTable[i].number;
      const std::string former = ascii::lowered(genreNameEnglishFormer(number));
      if (name == ascii::lowered(genreNameEnglish(number)) || (!former.empty() && name == former)) {
        return kGenreTable[i].colour;
      }
    }
    for (const EnglishGenre& genre : kEnglishGenres) {
      if (name == genre.category) return colourOfGenreNumber(genre.genreNumber);
    }
  }
  return kWhite;
}

int GenreColours::colourOf(const std::vector<std::string>& categories) {
  std::string key;
  for (const std::string& category : categories) {
    key.append(std::to_string(category.size())).append(1, ':').append(category);
  }
  const auto found = colours_.find(key);
  if (found != colours_.end()) return found->second;
  const int colour = genreColourOfCategories(categories);
  if (colours_.size() < kMaxRemembered) colours_.emplace(std::move(key), colour);
  return colour;
}
