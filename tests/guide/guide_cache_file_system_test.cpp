// GuideCache on a file system of its test's: tables saved and a day loaded
// back in memory alone, a failed write or move that keeps the old table,
// and leftovers judged by the cache's clock and the files' own times.
#include <gtest/gtest.h>

#include "bytes/memory_bytes.h"
#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_progress.h"
#include "tests/support/table_fixtures.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

const CalendarDate kDay = {2003, 12, 4, 4};
const std::int64_t kStart = 1800000000;  // 2027, after any run of these tests
const std::string kSaveFailed = "\x95\xdb\x91\xb6\x8e\xb8\x94\x73\x81\x49";

class GuideCacheFileSystemTest : public ::testing::Test {
 protected:
  GuideCacheFileSystemTest() {
    clock.now = kStart;
    // A real folder's name, so that a file that reached the disk would show.
    settings.setString("_config", "directory", folder.file("cache"));
    cache.setClock(&clock);
    cache.setFileSystem(&files);
  }
  std::string page(int hour) { return slotPage(schedule, hour).eucJp(); }
  // The sample page of `hour` read into `table`, as a table of `key`.
  void slot(int hour, int key, ProgrammeTable& table) {
    StringByteSource source(page(hour));
    ASSERT_TRUE(readPage(source, table));
    table.setTableKey(key);
  }

  TempFolder folder;
  FakeClock clock;
  MemoryFileSystem files{clock};
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
  SampleSchedule schedule = sampleSchedule(6, 11);
};

TEST_F(GuideCacheFileSystemTest, ADayIsLoadedFromTablesAndPagesInMemoryWithoutTheDisk) {
  for (int hour : {5, 9, 13}) {
    ProgrammeTable table;
    slot(hour, slotKey(kDay, hour), table);
    ASSERT_TRUE(cache.saveTableFile(table.tableKey(), table));
  }
  for (int hour : {17, 21, 25}) ASSERT_TRUE(files.put(cache.pageFileName(slotKey(kDay, hour)), page(hour)));
  ProgrammeTable day;
  ASSERT_TRUE(cache.loadDay(kDay, day));
  EXPECT_EQ(120499, day.tableKey());
  EXPECT_EQ(6u * 240 + 1, day.rowCount(0));
  // Each page read left its table beside it, and nothing half-written.
  EXPECT_EQ(9u, files.paths().size());
  ProgrammeTable expected, stored;
  slot(21, slotKey(kDay, 21), expected);
  ASSERT_TRUE(cache.loadTableFile(slotKey(kDay, 21), stored));
  EXPECT_TRUE(sameTable(expected, stored));
  EXPECT_FALSE(isDirectory(folder.file("cache")));
}

TEST_F(GuideCacheFileSystemTest, AFailedWriteOrMoveKeepsTheOldTableAndLeavesNoNewFile) {
  const int key = slotKey(kDay, 9);
  ProgrammeTable stale, fresh;
  slot(9, key, stale);
  slot(13, key, fresh);
  ASSERT_TRUE(cache.saveTableFile(key, stale));
  const std::string table = cache.tableFileName(key);
  const std::string old = files.bytesOf(table);

  files.failNextCreate();
  EXPECT_EQ(GuideCache::Replacement::Failed, cache.replaceTableFile(key, fresh, progress));
  files.failNextReplace();
  EXPECT_EQ(GuideCache::Replacement::Failed, cache.replaceTableFile(key, fresh, progress));
  EXPECT_EQ((std::vector<std::string>{"error " + kSaveFailed, "error " + kSaveFailed}), progress.calls);
  EXPECT_EQ(2u, progress.failures.size());
  EXPECT_EQ(old, files.bytesOf(table));
  EXPECT_EQ(std::vector<std::string>{table}, files.paths());

  EXPECT_EQ(GuideCache::Replacement::Replaced, cache.replaceTableFile(key, fresh, progress));
  EXPECT_EQ(GuideCache::Replacement::Unchanged, cache.replaceTableFile(key, fresh, progress));
  EXPECT_EQ(std::vector<std::string>{table}, files.paths());
}

TEST_F(GuideCacheFileSystemTest, LeftoversGoOnceOlderThanTenMinutesByTheCachesClock) {
  const std::string directory = cache.cacheDirectory();
  ASSERT_TRUE(files.put(directory + "010521tb.twr", "x"));
  ASSERT_TRUE(files.put(directory + "010521tb.tmp", "x"));
  clock.now = kStart + 300;
  ASSERT_TRUE(files.put(directory + "010525tb.prt", "x"));

  clock.now = kStart + 600;  // ten minutes are not yet more than ten
  EXPECT_EQ(0, cache.removeLeftovers(directory));
  clock.now = kStart + 601;
  EXPECT_EQ(1, cache.removeLeftovers(directory));
  clock.now = kStart + 901;
  EXPECT_EQ(1, cache.removeLeftovers(directory));
  EXPECT_EQ(std::vector<std::string>{directory + "010521tb.tmp"}, files.paths());
}

// The downloads go to the cache's files too: a crawl against the demo
// guide on 127.0.0.1 fills memory and leaves the disk alone.
TEST_F(GuideCacheFileSystemTest, ACrawlKeepsEveryPageAndTableItFetchesInMemory) {
  DemoGuideServer server{DemoGuideOptions()};
  ASSERT_TRUE(server.start());
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  EXPECT_EQ(6, cache.crawl(currentDateTime(), 0, progress));
  EXPECT_EQ(12u, cache.listCacheFiles().size());  // a page and a table file per slot
  EXPECT_EQ(12u, files.paths().size());
  EXPECT_FALSE(isDirectory(folder.file("cache")));
}

}  // namespace
