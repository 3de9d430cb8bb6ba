// XmltvGenres: the genre colour of a programme from its <category> texts.
// The Japanese genre names of the genre table are taken as they are; the
// English names are the one mapping of this program from XMLTV categories
// (the top-level categories of the broadcast content descriptor, "Movie /
// Drama", "Music / Ballet / Dance", "Sports", ..., and a few plain words).
// Tuner servers write "大分類 - 中分類" ("アニメ／特撮 - 国内アニメ",
// "情報／ワイドショー - グルメ・料理"): such a category names the genre
// that one of its words does, a word being what "／", "・" or "/" part.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// 0xRRGGBB of the genre, or white (0xFFFFFF) when no category names one.
// A Japanese genre name wins over an English one anywhere in the list.
int genreColourOfCategories(const std::vector<std::string>& categories);

// The same, remembering each list of categories it has seen: a week of a
// tuner server repeats a few hundred lists over tens of thousands of
// programmes. Remembers at most kMaxRemembered lists (a document decides
// how many there are).
class GenreColours {
 public:
  static constexpr std::size_t kMaxRemembered = 4096;
  int colourOf(const std::vector<std::string>& categories);

 private:
  std::unordered_map<std::string, int> colours_;  // by the categories, each after its length and ':'
};
