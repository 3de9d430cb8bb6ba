// The watched programmes joined once with their entry, re-air and change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "os/text.h"
#include "watch/watch_match.h"
#include "watch/watch_memory.h"

namespace {

ProgrammeRecord aired(const char* channelId, int december, int hour, const char* title) {
  ProgrammeRecord record;
  record.channelId = channelId;
  record.channel = channelId[0] == 'b' ? "BS1" : "NHK";
  record.start = guideMinute(dayNumber(2026, 12, december), hour * 60);
  record.stop = record.start + 45;
  record.title = os::utf8ToCp932(title);
  return record;
}

RememberedChange changeAt(WatchChangeKind kind, const ProgrammeRecord& now) {
  RememberedChange change;
  change.kind = kind;
  change.channelId = now.channelId;
  change.title = now.title;
  change.start = now.start;
  change.stop = now.stop;
  change.firstStart = now.start - 30;
  change.firstStop = now.stop - 30;
  return change;
}

TEST(WatchMatches, EachProgrammeCarriesTheFirstEntryThatFoundItItsFirstAiringAndItsTimeChange) {
  Listing listing;
  listing.channels = {{"NHK", "nhk.tokyo.jp"}, {"BS1", "bs1.tokyo.jp"}};
  listing.programmes = {aired("nhk.tokyo.jp", 8, 19, "ニュース７"), aired("nhk.tokyo.jp", 8, 20, "北の海 第１２回"),
                        aired("nhk.tokyo.jp", 9, 19, "ニュース７"), aired("bs1.tokyo.jp", 12, 10, "北の海 第12回")};
  SettingsStore settings;
  // Entry 2 and entry 3 find the same news: the first by number takes it.
  settings.setString(kWatchSection, "3", os::utf8ToCp932("ニュース７"));
  settings.setString(kWatchSection, "2", os::utf8ToCp932("ニュース"));
  settings.setString(kWatchSection, "5", os::utf8ToCp932("--once 北の海"));
  const WatchCheck check =
      checkWatchList(listing, loadWatchList(settings), settings, guideMinute(dayNumber(2026, 12, 8), 12 * 60));
  ASSERT_EQ(4u, check.current.size());

  // The second news moved to where it is now; a new episode there is no
  // change of its time.
  const std::vector<RememberedChange> changes = {changeAt(WatchChangeKind::newEpisode, listing.programmes[2]),
                                                 changeAt(WatchChangeKind::moved, listing.programmes[2])};
  const std::vector<WatchMatch> matches = watchMatches(check, check.current, changes);
  ASSERT_EQ(4u, matches.size());
  std::string seen;
  for (const WatchMatch& match : matches) {
    seen += programmeIdentity(match.record) + " " + std::to_string(entryNumberOf(match)) + " " + match.firstAiring;
    seen += match.change ? std::string(" ") + changeKindWord(match.change->kind) + "\n" : "\n";
  }
  EXPECT_EQ("nhk.tokyo.jp/202612081900 2 \n"
            "nhk.tokyo.jp/202612082000 5 \n"
            "nhk.tokyo.jp/202612091900 2  moved\n"
            "bs1.tokyo.jp/202612121000 5 nhk.tokyo.jp/202612082000\n",
            seen);
  // The entry is the check's own, not a copy.
  EXPECT_EQ(&check.entries[0], matches[0].entry);

  // A cancelled programme is a match of no entry, at its first airing.
  const std::vector<RememberedChange> cancelled = {changes[1], changeAt(WatchChangeKind::cancelled, listing.programmes[0])};
  const std::vector<WatchMatch> gone = cancelledMatches(cancelled, listing);
  ASSERT_EQ(1u, gone.size());
  EXPECT_EQ(nullptr, gone[0].entry);
  EXPECT_EQ(&cancelled[1], gone[0].change);
  EXPECT_EQ(listing.programmes[0].start - 30, gone[0].record.start);
  EXPECT_EQ("NHK", gone[0].record.channel);
}

}  // namespace
