// Genre colours from categories: a tuner server's "大分類 - 中分類", the
// genre table's own names and the English names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/text.h"
#include "programme/genre_table.h"
#include "xmltv/xmltv_genres.h"

namespace {

TEST(XmltvGenres, EitherClassOfATunerServersCategoryNamesTheGenre) {
  const int film = 0, music = 1, drama = 2, animation = 3, sports = 4, cooking = 7;
  const struct {
    std::vector<const char*> categories;
    int genre;
  } cases[] = {
      {{"アニメ／特撮 - 国内アニメ"}, animation},
      {{"映画 - 洋画"}, film},
      {{"映画 - アニメ"}, film},  // the large class first
      {{"スポーツ - 野球"}, sports},
      {{"ドラマ - 国内ドラマ"}, drama},
      {{"音楽 - 国内ロック・ポップス"}, music},
      {{"情報／ワイドショー - グルメ・料理"}, cooking},
      {{"バラエティ - 料理バラエティ"}, kNoGenre},  // a word, not a part of one
      {{"ニュース／報道 - 定時・総合", "スポーツ - サッカー"}, sports},
      {{"Movie / Drama", "スポーツ"}, sports},  // Japanese wins anywhere in the list
      {{"Sports"}, sports},
      {{"ー - "}, kNoGenre},
  };
  for (const auto& c : cases) {
    std::vector<std::string> categories;
    for (const char* category : c.categories) categories.push_back(os::utf8ToCp932(category));
    const int colour = genreColourOfCategories(categories);
    EXPECT_EQ(c.genre, genreOf(colour)) << c.categories[0];
  }
}

TEST(XmltvGenres, RememberedColoursAreThoseOfTheirOwnList) {
  GenreColours colours;
  // Lists whose texts run together alike must not share a colour.
  EXPECT_EQ(4, genreOf(colours.colourOf({"Sports"})));
  EXPECT_EQ(kNoGenre, genreOf(colours.colourOf({"Spor", "ts"})));
  EXPECT_EQ(0, genreOf(colours.colourOf({"Spor", "Movie"})));
  EXPECT_EQ(4, genreOf(colours.colourOf({"Sports"})));
  for (std::size_t i = 0; i < GenreColours::kMaxRemembered + 10; ++i) colours.colourOf({std::to_string(i)});
  EXPECT_EQ(0, genreOf(colours.colourOf({"Movie"})));  // past the limit: found, not remembered
}

}  // namespace
