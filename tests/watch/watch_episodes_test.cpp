// The watch entries that follow episodes (--new, --once): episode keys,
// re-airs on other channels and days, and the memory of seen episodes.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "listing/fnv_hash.h"
#include "os/text.h"
#include "watch/episode_key.h"
#include "watch/watch_check.h"
#include "watch/watch_explain.h"
#include "watch/watch_memory.h"

namespace {

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

ProgrammeRecord aired(const char* channelId, int december, int hour, int minute, const char* title,
                      const char* text = "") {
  ProgrammeRecord r;
  r.channelId = channelId;
  r.channel = channelId[0] == 'b' ? "BS1" : sj("ＮＨＫ総合");
  r.start = guideMinute(dayNumber(2026, 12, december), hour * 60 + minute);
  r.stop = r.start + 45;
  r.title = sj(title);
  r.description = sj(text);
  return r;
}

// The twelfth episode first on NHK on Tuesday, again on BS1 on Saturday
// (written as that channel writes it); the eleventh re-run on Wednesday.
Listing episodes(int firstAiringDelay = 0) {
  Listing listing;
  listing.channels = {{sj("ＮＨＫ総合"), "nhk.tokyo.jp"}, {"BS1", "bs1.tokyo.jp"}};
  listing.programmes = {
      aired("nhk.tokyo.jp", 8, 20, firstAiringDelay, "大河ドラマ 北の海 第１２回「決断」[字]"),
      aired("bs1.tokyo.jp", 9, 18, 0, "大河ドラマ 北の海 第１１回「旅立ち」[再]"),
      aired("bs1.tokyo.jp", 12, 10, 0, "大河ドラマ　北の海　第12回"),
      aired("nhk.tokyo.jp", 13, 20, 0, "大河ドラマ 北の海 第１３回「嵐」[字][新]"),
  };
  return listing;
}

const GuideMinute kTuesdayNoon = guideMinute(dayNumber(2026, 12, 8), 12 * 60);

WatchList listOf(std::initializer_list<const char*> entries) {
  SettingsStore settings;
  int number = 0;
  for (const char* entry : entries) settings.setString(kWatchSection, std::to_string(++number), sj(entry));
  return loadWatchList(settings);
}

std::string startsOf(const std::vector<ProgrammeRecord>& records) {
  std::string starts;
  for (const ProgrammeRecord& record : records) starts += programmeIdentity(record) + " ";
  return starts;
}

TEST(WatchEpisodes, TheOptionsAreWatchEntriesOnlyAndWrittenAfterReserve) {
  ProgrammeQuery query;
  QueryProblem problem;
  ASSERT_TRUE(parseQueryText(sj("--once --new --reserve 北の海"), query, problem));
  EXPECT_TRUE(query.newOnly && query.once && query.reserve);
  EXPECT_EQ(sj("--reserve --new --once 北の海"), queryText(query));
  ProgrammeQuery searched;
  EXPECT_FALSE(parseQueryArguments({"--once", "news"}, searched, problem));  // a search refuses them
  EXPECT_EQ(QueryProblem::kUnknownOption, problem.kind);
  EXPECT_FALSE(parseQueryText("--new=yes news", searched, problem));
}

TEST(WatchEpisodes, AKeyTellsEpisodesApartAcrossChannelsWidthsAndMarks) {
  struct Case {
    const char* title1;
    const char* text1;
    const char* title2;
    const char* text2;
    bool same;
  };
  const Case cases[] = {
      {"【連続ドラマ「海の声」】第３話「再会」[字][再]", "", "連続ドラマ「海の声」 第3話[字]", "", true},
      {"アニメ 魔法少女ルル ＃１２「約束」", "", "アニメ 魔法少女ルル #13「約束」", "", false},
      {"名作劇場「赤い靴」前編", "", "名作劇場「赤い靴」後編", "", false},
      {"名作劇場「赤い靴」", "", "名作劇場「青い鳥」", "", false},
      // A film aired again keeps its text; the news gets a new one each day.
      {"映画 ローマの休日", "王女アンは滞在先のローマで新聞記者ジョーと出会い、束の間の自由な一日を過ごす。",
       "映画　ローマの休日[字]", "王女アンは滞在先のローマで新聞記者ジョーと出会い、束の間の自由な一日を過ごす。（字幕放送）",
       true},
      {"ニュース７", "きょうの主なニュース 円安が進む", "ニュース７", "きょうの主なニュース 大雪の被害", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title1);
    const EpisodeKey first = episodeKeyOf(aired("nhk.tokyo.jp", 8, 20, 0, c.title1, c.text1));
    const EpisodeKey second = episodeKeyOf(aired("bs1.tokyo.jp", 9, 20, 0, c.title2, c.text2));
    ASSERT_EQ(16u, first.hash.size());
    EXPECT_EQ(c.same, first.hash == second.hash);
  }
  // Without an episode or a text nothing tells one day's news from another.
  EXPECT_EQ("", episodeKeyOf(aired("nhk.tokyo.jp", 8, 19, 0, "ニュース７")).hash);
  EXPECT_TRUE(episodeKeyOf(aired("nhk.tokyo.jp", 8, 19, 0, "海の声（再）")).isRepeat);
  // An imported programme's sub-title names the episode its title does not.
  ProgrammeRecord imported = aired("nhk.tokyo.jp", 8, 22, 0, "海外ドラマ 名探偵", "ロンドンの事件簿");
  imported.editExtra().subTitle = sj("消えた手紙");
  const std::string letter = episodeKeyOf(imported).hash;
  imported.editExtra().subTitle = sj("赤い部屋");
  EXPECT_NE(letter, episodeKeyOf(imported).hash);
  // A tuner server's episode number goes before the title's reading: the
  // same episode on two channels whose titles do not number it.
  ProgrammeRecord first = aired("nhk.tokyo.jp", 8, 20, 0, "連続ドラマ「海の声」[字]", "第一夜");
  ProgrammeRecord again = aired("bs1.tokyo.jp", 9, 20, 0, "連続ドラマ「海の声」[再]", "再放送");
  first.editExtra().broadcast.episode = again.editExtra().broadcast.episode = 3;
  EXPECT_EQ(episodeKeyOf(first).hash, episodeKeyOf(again).hash);
  again.editExtra().broadcast.episode = 4;
  EXPECT_NE(episodeKeyOf(first).hash, episodeKeyOf(again).hash);
  // The memory outlives versions: the hash is FNV-1a's own.
  Fnv1a64 fnv;
  fnv.add(reinterpret_cast<const unsigned char*>("a"), 1);
  EXPECT_EQ(0xaf63dc4c8601ec8cull, fnv.value());
}

TEST(WatchEpisodes, OnceAnnouncesAndReservesAnEpisodeOnceAndListsItsReair) {
  SettingsStore settings;
  const WatchList list = listOf({"--reserve --once 北の海"});
  const WatchCheck first = checkWatchList(episodes(), list, settings, kTuesdayNoon);
  EXPECT_EQ(4u, first.current.size());
  EXPECT_EQ("nhk.tokyo.jp/202612082000 bs1.tokyo.jp/202612091800 nhk.tokyo.jp/202612132000 ",
            startsOf(first.fresh));
  EXPECT_EQ(startsOf(first.fresh), startsOf(first.toReserve));
  ASSERT_EQ(1u, first.reairOf.size());
  EXPECT_EQ("nhk.tokyo.jp/202612082000", first.reairOf.at("bs1.tokyo.jp/202612121000"));
  rememberAnnounced(settings, first, first.fresh, kTuesdayNoon);
  rememberReserved(settings, first, first.toReserve, kTuesdayNoon);
  EXPECT_EQ(3u, settings.section(kSeenSection).size());

  // Next morning the first airing has been moved by half an hour; after it
  // has ended, the re-air is still one.
  for (const GuideMinute now : {kTuesdayNoon + 60, kTuesdayNoon + 24 * 60}) {
    const WatchCheck again = checkWatchList(episodes(30), list, settings, now);
    EXPECT_EQ(1u, again.reairOf.count("bs1.tokyo.jp/202612121000"));
    EXPECT_EQ(1u, again.reairOf.size());
    for (const ProgrammeRecord& record : again.toReserve) EXPECT_NE("bs1.tokyo.jp", record.channelId);
  }
  // An entry that does not follow episodes keeps the re-air it finds, and
  // alone it writes no memory of episodes.
  const WatchCheck both = checkWatchList(episodes(), listOf({"--once 北の海", "--channel BS1 北の海"}), settings,
                                         kTuesdayNoon);
  EXPECT_TRUE(both.reairOf.empty());
  SettingsStore plain;
  const WatchCheck asBefore = checkWatchList(episodes(), listOf({"--reserve 北の海"}), plain, kTuesdayNoon);
  EXPECT_EQ(4u, asBefore.toReserve.size());
  rememberAnnounced(plain, asBefore, asBefore.fresh, kTuesdayNoon);
  rememberReserved(plain, asBefore, asBefore.toReserve, kTuesdayNoon);
  EXPECT_FALSE(plain.hasSection(kSeenSection));
}

TEST(WatchEpisodes, NewLeavesOutRepeatsAndReairsAndExplainSaysWhy) {
  SettingsStore settings;
  const WatchList list = listOf({"--new 北の海"});
  const WatchCheck check = checkWatchList(episodes(), list, settings, kTuesdayNoon);
  EXPECT_EQ("nhk.tokyo.jp/202612082000 nhk.tokyo.jp/202612132000 ", startsOf(check.current));
  EXPECT_TRUE(check.reairOf.empty());

  rememberAnnounced(settings, check, check.fresh, kTuesdayNoon);
  WatchExplanation explanation;
  QueryProblem problem;
  ASSERT_TRUE(explainQuery(episodes(), list.entries[0].query, kTuesdayNoon + 24 * 60, 20, explanation, problem,
                           &settings));
  EXPECT_EQ("nhk.tokyo.jp/202612132000 ", startsOf(explanation.matches));
  ASSERT_EQ(2u, explanation.nearMisses.size());
  EXPECT_EQ(QueryCondition::kRepeat, explanation.nearMisses[0].failed.kind);
  EXPECT_EQ(QueryCondition::kSeen, explanation.nearMisses[1].failed.kind);
  EXPECT_EQ("nhk.tokyo.jp/202612082000", explanation.nearMisses[1].firstAiring);
}

TEST(WatchEpisodes, SeenEpisodesAreForgottenAfterMonthsAndBounded) {
  SettingsStore settings;
  std::vector<std::pair<std::string, std::string>> seen;  // every 5 minutes, the last at Tuesday noon
  ProgrammeRecord airing = aired("nhk.tokyo.jp", 8, 12, 0, "");
  for (std::size_t i = 0; i <= kSeenLines; ++i) {
    airing.start = kTuesdayNoon - static_cast<GuideMinute>(kSeenLines - i) * 5;
    seen.push_back({std::to_string(i), programmeIdentity(airing)});
  }
  EXPECT_EQ(1u, rememberSeen(settings, seen, kTuesdayNoon));  // the cap's loss is told
  EXPECT_EQ(kSeenLines, settings.section(kSeenSection).size());
  EXPECT_EQ("", seenAiring(settings, seen[0].first));  // the earliest start went
  EXPECT_EQ(seen[1].second, seenAiring(settings, seen[1].first));
  EXPECT_EQ(0u, rememberSeen(settings, {}, kTuesdayNoon + kSeenDays * 24 * 60 - 3));
  EXPECT_EQ(1u, settings.section(kSeenSection).size());  // only the last one is not yet 120 days old
}

// A household's months: 2,500 episodes on 200 services announced, each
// re-aired four days later, and not one re-air is taken for new.
TEST(WatchEpisodes, AHouseholdsEpisodesAreRememberedAcrossTheirReairs) {
  Listing first, later;
  for (int i = 0; i < 2500; ++i) {
    const std::string channel = "ch" + std::to_string(i % 200) + ".example";
    first.channels.push_back({channel, channel});
    ProgrammeRecord record;
    record.channelId = record.channel = channel;
    record.title = sj("連続ドラマ 第") + std::to_string(i + 1) + sj("話");
    record.start = kTuesdayNoon + (i / 200) * 60;
    record.stop = record.start + 30;
    first.programmes.push_back(record);
    record.start += 4 * 24 * 60;
    record.stop += 4 * 24 * 60;
    later.programmes.push_back(record);
  }
  later.channels = first.channels;
  SettingsStore settings;
  const WatchList list = listOf({"--once 連続ドラマ"});
  const WatchCheck check = checkWatchList(first, list, settings, kTuesdayNoon);
  ASSERT_EQ(2500u, check.fresh.size());
  EXPECT_EQ(0u, rememberAnnounced(settings, check, check.fresh, kTuesdayNoon));
  const GuideMinute weekend = kTuesdayNoon + 4 * 24 * 60;
  const WatchCheck reaired = checkWatchList(later, list, settings, weekend);
  EXPECT_EQ(2500u, reaired.reairOf.size());
  EXPECT_TRUE(reaired.fresh.empty());
}

}  // namespace
