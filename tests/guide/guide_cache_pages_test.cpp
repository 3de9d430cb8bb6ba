// GuideCache: cached and downloaded pages into table files, table files in
// and out, and the broadcast day assembled from its six slots.
#include <gtest/gtest.h>

#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "tests/support/table_fixtures.h"
#include "tests/support/temp_folder.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

const CalendarDate kDay = {2003, 12, 4, 4};

class GuideCachePagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.setString("_config", "directory", folder.path());
    cache.setSettings(settings);
  }
  // The sample day's page of `hour`, stored as the slot's cached page.
  void cachePage(int hour) { ASSERT_TRUE(writeWholeFile(cache.pageFileName(slotKey(kDay, hour)), page(hour))); }
  std::string page(int hour) { return slotPage(schedule, hour).eucJp(); }
  // The table the sample page of `hour` reads into.
  void expectedSlot(int hour, ProgrammeTable& table) {
    StringByteSource source(page(hour));
    ASSERT_TRUE(readPage(source, table));
    table.setTableKey(slotKey(kDay, hour));
  }
  bool exists(const std::string& path) { return os::fileAttributes(path) != -1; }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache;
  SampleSchedule schedule = sampleSchedule(6, 11);
};

TEST_F(GuideCachePagesTest, ACachedPageIsReadAndStoredAsATableFile) {
  const int key = slotKey(kDay, 9);
  cachePage(9);
  ProgrammeTable table, expected, stored;
  ASSERT_TRUE(cache.parseCachedPage(key, table));
  expectedSlot(9, expected);
  EXPECT_TRUE(sameTable(expected, table));
  EXPECT_TRUE(exists(cache.pageFileName(key)));  // kept: "deletehtml" is off
  ASSERT_TRUE(cache.loadTableFile(key, stored));
  EXPECT_TRUE(sameTable(expected, stored));
  EXPECT_EQ(folder.file("120409tb.tmp"), cache.tableFileName(key));

  settings.setDeleteHtml(true);
  ASSERT_TRUE(cache.parseCachedPage(key, table));
  EXPECT_FALSE(exists(cache.pageFileName(key)));
}

TEST_F(GuideCachePagesTest, APageThatDoesNotReadIsKeptWhenCachedAndDeletedWhenDownloaded) {
  const int key = slotKey(kDay, 13);
  std::string cut = page(13);
  cut.resize(cut.size() / 2);
  ASSERT_TRUE(writeWholeFile(cache.pageFileName(key), cut));
  ProgrammeTable table;
  EXPECT_FALSE(cache.parseCachedPage(key, table));
  EXPECT_TRUE(exists(cache.pageFileName(key)));
  EXPECT_FALSE(exists(cache.tableFileName(key)));

  const std::string download = folder.file("download.htm");
  ASSERT_TRUE(writeWholeFile(download, cut));
  EXPECT_FALSE(cache.parseDownloadedPage(key, download, table));
  EXPECT_FALSE(exists(download));

  ASSERT_TRUE(writeWholeFile(download, page(13)));
  settings.setDeleteHtml(true);
  ASSERT_TRUE(cache.parseDownloadedPage(key, download, table));
  EXPECT_EQ(key, table.tableKey());
  EXPECT_FALSE(exists(download));
  EXPECT_TRUE(exists(cache.tableFileName(key)));
}

TEST_F(GuideCachePagesTest, AMissingPageLeavesTheTableAlone) {
  ProgrammeTable table;
  table.setTableKey(7);
  EXPECT_FALSE(cache.parseCachedPage(slotKey(kDay, 5), table));
  EXPECT_FALSE(cache.parseDownloadedPage(slotKey(kDay, 5), folder.file("none.htm"), table));
  EXPECT_FALSE(cache.loadTableFile(slotKey(kDay, 5), table));
  EXPECT_EQ(7, table.tableKey());
}

TEST_F(GuideCachePagesTest, SavingAndLoadingTableFiles) {
  ProgrammeTable table, back;
  fillTable(table, {{{1, "", "", 0}, {1, "05", "05", 5}}, {{1, "", "A", 1}, {1, "05:00", "a", 5}}}, 120405);
  ASSERT_TRUE(cache.saveTableFile(120405, table));
  ASSERT_TRUE(cache.loadTableFile(120405, back));
  EXPECT_TRUE(sameTable(table, back));

  ASSERT_TRUE(writeWholeFile(cache.tableFileName(120409), "TvProgramTable"));
  EXPECT_FALSE(cache.loadTableFile(120409, back));

  // A table that cannot be written leaves no file that would pass for it.
  table.placeCell(1, 3, table.cellAt(1, 1));
  EXPECT_FALSE(cache.saveTableFile(120413, table));
  EXPECT_FALSE(exists(cache.tableFileName(120413)));
}

TEST_F(GuideCachePagesTest, ADayIsStackedFromItsSixSlotsAndLoadedOnce) {
  for (int hour : kSlotHours) {
    ProgrammeTable slot;
    expectedSlot(hour, slot);
    ASSERT_TRUE(cache.saveTableFile(slot.tableKey(), slot));
  }
  ProgrammeTable day;
  ASSERT_TRUE(cache.loadDay(kDay, day));
  EXPECT_EQ(120499, day.tableKey());
  ASSERT_EQ(7u, day.columnCount());
  ASSERT_EQ(6u * 240 + 1, day.rowCount(0));

  // Walking each channel gives the sample day's programmes, start for
  // start, one cell even where a programme runs across a slot boundary.
  for (std::size_t channel = 1; channel < day.columnCount(); ++channel) {
    std::vector<const ScheduledProgramme*> programmes;
    for (const ScheduledProgramme& programme : schedule.programmes) {
      if (programme.channel == static_cast<int>(channel) - 1) programmes.push_back(&programme);
    }
    std::size_t next = 0;
    for (std::size_t row = 1; row < day.rowCount(channel); row += day.cellAt(channel, row)->rowSpan) {
      ASSERT_LT(next, programmes.size());
      const ScheduledProgramme& programme = *programmes[next++];
      const ProgrammeCell* cell = day.cellAt(channel, row);
      char start[8];
      std::snprintf(start, sizeof start, "%02d:%02d", (5 + programme.start / 60) % 24, programme.start % 60);
      EXPECT_EQ(start, cell->timeText);
      EXPECT_EQ(programme.length, cell->rowSpan) << start;
      EXPECT_EQ(programme.title, cell->title());
      EXPECT_EQ(static_cast<int>(row) - 1, programme.start);
    }
    EXPECT_EQ(programmes.size(), next);
  }

  // Complete: the next call does nothing, even with the files gone.
  for (int hour : kSlotHours) os::removeFile(cache.tableFileName(slotKey(kDay, hour)));
  const ProgrammeCell* first = day.cellAt(1, 1);
  ASSERT_TRUE(cache.loadDay(kDay, day));
  EXPECT_EQ(first, day.cellAt(1, 1));
}

TEST_F(GuideCachePagesTest, AMissingSlotLeavesTheDayIncompleteAndPagesStandInForTableFiles) {
  for (int hour : {5, 9, 17, 21, 25}) {
    ProgrammeTable slot;
    expectedSlot(hour, slot);
    if (hour == 21) {
      cachePage(21);  // only the page: read, and its table file stored
    } else {
      ASSERT_TRUE(cache.saveTableFile(slot.tableKey(), slot));
    }
  }
  ProgrammeTable day;
  ASSERT_TRUE(cache.loadDay(kDay, day));
  EXPECT_EQ(-1, day.tableKey());
  ASSERT_EQ(5u * 240 + 1, day.rowCount(0));
  EXPECT_EQ(9, day.cellAt(0, 241)->number);
  EXPECT_EQ(17, day.cellAt(0, 481)->number);  // straight after the 9 o'clock slot
  EXPECT_TRUE(exists(cache.tableFileName(slotKey(kDay, 21))));

  // The next call tries again and completes the day.
  ProgrammeTable slot;
  expectedSlot(13, slot);
  ASSERT_TRUE(cache.saveTableFile(slot.tableKey(), slot));
  ASSERT_TRUE(cache.loadDay(kDay, day));
  EXPECT_EQ(120499, day.tableKey());
  EXPECT_EQ(6u * 240 + 1, day.rowCount(0));

  ProgrammeTable empty;
  ASSERT_TRUE(cache.loadDay({2003, 12, 5, 5}, empty));
  EXPECT_EQ(-1, empty.tableKey());
  EXPECT_EQ(0u, empty.columnCount());
}

}  // namespace
