// Series and episode as broadcasters write them in titles.
#include <gtest/gtest.h>

#include "os/text.h"
#include "search/search_text.h"
#include "watch/episode_reading.h"

namespace {

TEST(EpisodeReading, ReadsNumbersSubtitlesPartsAndMarksInEitherWidth) {
  struct Case {
    const char* title;  // UTF-8, made Shift-JIS at test time
    const char* series;
    int number;
    const char* subtitle;
    int part;
    const char* marks;  // n, r, l for [新], [再], [終]
  } cases[] = {
      {"【連続ドラマ「海の声」】第３話「再会」[字][再]", "連続ドラマ「海の声」", 3, "再会", 0, "r"},
      {"アニメ 魔法少女ルル ＃１２「約束」[新]", "アニメ 魔法少女ルル", 12, "約束", 0, "n"},
      {"アニメ 魔法少女ルル #12「約束」【再】", "アニメ 魔法少女ルル", 12, "約束", 0, "r"},
      {"大河ドラマ 北の海 （１２） [終][字]", "大河ドラマ 北の海", 12, "", 0, "l"},
      {"時代劇 江戸の花 第十二話", "時代劇 江戸の花", 12, "", 0, ""},
      {"土曜ドラマ 坂の上 第二十一回「春」", "土曜ドラマ 坂の上", 21, "春", 0, ""},
      {"名作劇場「赤い靴」前編", "名作劇場", 0, "赤い靴", 1, ""},
      {"名作劇場「赤い靴」後編(再)", "名作劇場", 0, "赤い靴", 2, "r"},
      {"ニュース７", "ニュース7", 0, "", 0, ""},
      {"「鶴」の物語", "「鶴」の物語", 0, "", 0, ""},  // a title in brackets is no subtitle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const EpisodeReading reading = readEpisode(os::utf8ToCp932(c.title), "");
    EXPECT_EQ(searchForm(c.series), reading.series);
    EXPECT_EQ(c.number, reading.number);
    EXPECT_EQ(searchForm(c.subtitle), reading.subtitle);
    EXPECT_EQ(c.part, reading.part);
    const std::string marks = c.marks;
    EXPECT_EQ(marks.find('n') != std::string::npos, reading.isNew);
    EXPECT_EQ(marks.find('r') != std::string::npos, reading.isRepeat);
    EXPECT_EQ(marks.find('l') != std::string::npos, reading.isLast);
  }
  // Only a title without a number is completed from the text.
  EXPECT_EQ(5, readEpisode(os::utf8ToCp932("旅の記録"), os::utf8ToCp932("第５話 北国へ")).number);
  EXPECT_EQ(2, readEpisode(os::utf8ToCp932("旅の記録 #2"), os::utf8ToCp932("第５話")).number);
}

}  // namespace
