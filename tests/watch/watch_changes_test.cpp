// What became of the watched programmes between two guides.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "os/text.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_changes.h"

namespace {

const int kDay = dayNumber(2026, 12, 7);

// "A 19:00 60 News": channel, start (a minute of kDay; 28:00 is 04:00 the
// day after, 29:30 the next broadcast day's 05:30), minutes, title (UTF-8).
struct Row {
  const char* channel;
  int hour, minute, length;
  const char* title;
};

ProgrammeRecord recordOf(const Row& row) {
  ProgrammeRecord record;
  record.channel = row.channel;
  record.channelId = std::string(row.channel) + ".tokyo.jp";
  record.start = guideMinute(kDay, row.hour * 60 + row.minute);
  record.stop = record.start + row.length;
  record.title = os::utf8ToCp932(row.title);
  return record;
}

Listing listingOf(const std::vector<Row>& rows) {
  Listing listing;
  for (const Row& row : rows) listing.programmes.push_back(recordOf(row));
  return listing;
}

std::string hhmm(GuideMinute minute) {
  const GuideMinute of = minute - guideMinute(kDay, 0);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(of / 60), static_cast<int>(of % 60));
  return text;
}

// "moved A 21:00-21:30>21:30-22:00", "cancelled A 19:00-20:00".
std::string describe(const WatchChange& change) {
  const char* const kKinds[] = {"moved", "extended", "cancelled", "new"};
  std::string text = std::string(kKinds[static_cast<int>(change.kind)]) + " " + change.before.channel + " " +
                     hhmm(change.before.start) + "-" + hhmm(change.before.stop);
  if (change.hasAfter) text += ">" + change.after.channel + " " + hhmm(change.after.start) + "-" + hhmm(change.after.stop);
  return text;
}

TEST(WatchChanges, FindsMovedExtendedCancelledAndNewEpisodes) {
  struct Case {
    const char* name;
    std::vector<Row> before, after;
    std::vector<int> watched;  // indexes into `before`
    std::vector<std::string> changes;
  } cases[] = {
      {"nothing changed",
       {{"A", 19, 0, 30, "ニュース"}, {"A", 19, 30, 30, "クイズ"}},
       {{"A", 19, 0, 30, "ニュース"}, {"A", 19, 30, 30, "クイズ"}},
       {0, 1},
       {}},
      {"swapped with its neighbour",
       {{"A", 19, 0, 30, "ニュース"}, {"A", 19, 30, 30, "クイズ"}},
       {{"A", 19, 0, 30, "クイズ"}, {"A", 19, 30, 30, "ニュース"}},
       {0},
       {"moved A 19:00-19:30>A 19:30-20:00"}},
      {"extended, and the one after it pushed back, in start order",
       {{"A", 19, 0, 120, "野球"}, {"A", 21, 0, 30, "ニュース"}},
       {{"A", 19, 0, 150, "野球"}, {"A", 21, 30, 30, "ニュース"}},
       {1, 0},
       {"extended A 19:00-21:00>A 19:00-21:30", "moved A 21:00-21:30>A 21:30-22:00"}},
      {"an earlier end is a move",
       {{"A", 19, 0, 60, "ドラマ"}, {"A", 20, 0, 60, "映画"}},
       {{"A", 19, 0, 45, "ドラマ"}, {"A", 19, 45, 75, "映画"}},
       {0},
       {"moved A 19:00-20:00>A 19:00-19:45"}},
      {"two of a title, only the later moved",
       {{"A", 19, 0, 30, "ニュース"}, {"A", 21, 0, 30, "ニュース"}},
       {{"A", 19, 0, 30, "ニュース"}, {"A", 21, 30, 30, "ニュース"}},
       {0, 1},
       {"moved A 21:00-21:30>A 21:30-22:00"}},
      {"cancelled: its slot filled by another programme",
       {{"A", 19, 0, 60, "ドラマ"}},
       {{"A", 18, 0, 90, "特番"}, {"A", 19, 30, 90, "特番2"}},
       {0},
       {"cancelled A 19:00-20:00"}},
      {"too far away, or on the next broadcast day, is not the same programme",
       {{"A", 15, 0, 60, "ドラマ"}, {"A", 28, 0, 60, "深夜劇場"}},
       {{"A", 5, 0, 24 * 60, "放送休止"}, {"A", 18, 1, 60, "ドラマ"}, {"A", 29, 0, 60, "深夜劇場"}},
       {0, 1},
       {"cancelled A 15:00-16:00", "cancelled A 28:00-29:00"}},
      {"the same title on another channel is not the same programme",
       {{"A", 19, 0, 60, "ドラマ"}},
       {{"A", 19, 0, 60, "特番"}, {"B", 19, 0, 60, "ドラマ"}},
       {0},
       {"cancelled A 19:00-20:00"}},
      {"a day not fetched, or a slot partly covered, is not cancelled",
       {{"A", 19, 0, 60, "ドラマ"}, {"B", 19, 0, 60, "ドラマ"}, {"C", 19, 0, 60, "ドラマ"}},
       {{"A", 19, 0, 30, "特番"}, {"B", 19, 0, 30, "特番"}, {"B", 19, 40, 20, "特番"}},
       {0, 1, 2},
       {}},
      {"a new episode of a watched series, on any channel; one the old guide held, a repeat of a watched one, "
       "or a plain title of every day is not new",
       {{"A", 19, 0, 30, "アニメ 魔法少女ルル ＃１２「約束」"},
        {"A", 19, 30, 30, "ニュース７"},
        {"A", 43, 0, 30, "アニメ 魔法少女ルル ＃１３「旅立ち」"}},
       {{"A", 19, 0, 30, "アニメ 魔法少女ルル ＃１２「約束」"},
        {"A", 43, 0, 30, "アニメ 魔法少女ルル ＃１３「旅立ち」"},
        {"B", 44, 0, 30, "アニメ 魔法少女ルル ＃１２「約束」[再]"},
        {"A", 67, 0, 30, "アニメ 魔法少女ルル ＃１４「最終回」"},
        {"A", 67, 30, 30, "アニメ 魔法少女ララ ＃１"},
        {"A", 19, 30, 30, "ニュース７"},
        {"A", 43, 30, 30, "ニュース７"}},
       {0, 1},
       {"new A 19:00-19:30>A 67:00-67:30"}},
      {"a new episode and its re-air the day after: the first airing alone is new; an old one re-run is none",
       {{"A", 19, 0, 30, "アニメ 魔法少女リナ ＃３"}},
       {{"A", 19, 0, 30, "アニメ 魔法少女リナ ＃３"},
        {"A", 91, 0, 30, "アニメ 魔法少女リナ ＃４[再]"},
        {"A", 92, 0, 30, "アニメ 魔法少女リナ ＃４"},
        {"B", 67, 0, 30, "アニメ 魔法少女リナ ＃４"},
        {"B", 70, 0, 30, "アニメ 魔法少女リナ ＃２[再]"}},
       {0},
       {"new A 19:00-19:30>B 67:00-67:30"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Listing before = listingOf(c.before), after = listingOf(c.after);
    std::vector<ProgrammeRecord> watched;
    for (int index : c.watched) watched.push_back(before.programmes[index]);
    std::vector<std::string> found;
    for (const WatchChange& change : watchChanges(before, after, watched)) found.push_back(describe(change));
    EXPECT_EQ(c.changes, found);
  }
}

}  // namespace

namespace {

TEST(WatchChanges, AreRememberedFromTheFirstAiringUntilTheProgrammeHasEnded) {
  SettingsStore settings;
  const Listing first = listingOf({{"A", 21, 0, 60, "ドラマ"}, {"A", 23, 0, 30, "映画"}});
  const Listing second = listingOf({{"A", 21, 30, 60, "ドラマ"}, {"A", 22, 30, 60, "特番"}});
  const Listing third = listingOf({{"A", 22, 0, 60, "ドラマ"}, {"A", 23, 0, 30, "特番"}});
  rememberChanges(settings, watchChanges(first, second, first.programmes), guideMinute(kDay, 12 * 60));
  rememberChanges(settings, watchChanges(second, third, {second.programmes[0]}), guideMinute(kDay, 13 * 60));
  const StringMap* lines = settings.findSection(kChangesSection);
  ASSERT_NE(nullptr, lines);
  EXPECT_EQ((StringMap{{"A.tokyo.jp/202612072100",
                        os::utf8ToCp932("moved 2 202612072200 202612072200 202612072300 202612071300 ドラマ")},
                       {"A.tokyo.jp/202612072300",
                        os::utf8ToCp932("cancelled 1 202612072330 202612072300 202612072330 202612071200 映画")}}),
            *lines);
  EXPECT_EQ(2u, changesNotEnded(settings, guideMinute(kDay, 22 * 60 + 59)).size());
  EXPECT_EQ(1u, changesNotEnded(settings, guideMinute(kDay, 23 * 60)).size());
  rememberChanges(settings, {}, guideMinute(kDay, 23 * 60 + 15));
  EXPECT_EQ(1u, lines->size());

  // Damaged lines, a thirteenth month or a year out of reach, are skipped.
  settings.section(kChangesSection)["A.tokyo.jp/202621072100"] = lines->begin()->second;
  settings.section(kChangesSection)["A.tokyo.jp/002612072100"] = lines->begin()->second;
  EXPECT_EQ(1u, rememberedChanges(settings).size());

  SettingsStore untouched;
  rememberChanges(untouched, {}, guideMinute(kDay, 12 * 60));
  EXPECT_FALSE(untouched.hasSection(kChangesSection));
}

}  // namespace
