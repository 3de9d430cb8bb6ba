// Day tables loaded ahead: every day in order, whatever the helper and the
// caller each loaded, a gap left empty, and a caller that stops early.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/day_table_prefetch.h"
#include "tests/support/table_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

class DayTablePrefetchTest : public ::testing::Test {
 protected:
  DayTablePrefetchTest() { settings.setString("_config", "directory", folder.path()); }
  // Day `index` of the range: one slot whose only channel is named after it.
  void saveDay(int index) {
    const CalendarDate date = dateFromDayNumber(first + index);
    ProgrammeTable slot;
    const std::string name = "D" + std::to_string(index);
    fillTable(slot, {{{1, "", ""}, {60, "05", "05"}}, {{1, "", name}, {60, "05:00", "News"}}}, slotKey(date, 5));
    ASSERT_TRUE(cache.saveTableFile(slot.tableKey(), slot));
  }
  static std::string channelOf(const ProgrammeTable& day) {
    const ProgrammeCell* header = day.cellAt(1, 0);
    return header ? header->body : "";
  }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  const int first = dayNumber(2026, 12, 4);
};

TEST_F(DayTablePrefetchTest, HandsOutEachDayInOrderAndNothingForAGapOrPastTheRange) {
  const int days = 3 * static_cast<int>(DayTablePrefetch::kTables) + 1;
  for (int index = 0; index < days; ++index)
    if (index != 2) saveDay(index);
  for (bool ahead : {true, false}) {
    DayTablePrefetch prefetch(cache, first, days, ahead);
    for (int index = 0; index < days; ++index) {
      const ProgrammeTable& day = prefetch.next();
      if (index == 2) {
        EXPECT_EQ(0u, day.columnCount());
      } else {
        EXPECT_EQ("D" + std::to_string(index), channelOf(day)) << index << ahead;
      }
    }
    EXPECT_EQ(0u, prefetch.next().columnCount());
  }
}

TEST_F(DayTablePrefetchTest, ACallerThatStopsEarlyOrAsksForOneDayIsServed) {
  for (int index = 0; index < 5; ++index) saveDay(index);
  { DayTablePrefetch unused(cache, first, 5, true); }
  {
    DayTablePrefetch early(cache, first, 5, true);
    EXPECT_EQ("D0", channelOf(early.next()));
  }
  DayTablePrefetch one(cache, first + 3, 1, true);
  EXPECT_EQ("D3", channelOf(one.next()));
  EXPECT_EQ(0u, one.next().columnCount());
}

}  // namespace
