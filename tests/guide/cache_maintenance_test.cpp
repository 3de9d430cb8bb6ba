// Listing and deleting cache files, and the keep window around a new year.
#include <gtest/gtest.h>

#include <filesystem>

#include "bytes/file_system.h"
#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "programme/page_files.h"
#include "programme/programme_table.h"
#include "tests/support/recording_progress.h"
#include "tests/support/table_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string kSearching = "\x8c\x9f\x8d\xf5\x92\x86\x81\x63";
const std::string kDeleting = "\x8d\xed\x8f\x9c\x92\x86\x81\x63";

class CacheMaintenanceTest : public ::testing::Test {
 protected:
  CacheMaintenanceTest() {
    settings.setString("_config", "directory", folder.file("cache"));
  }
  void addFiles(std::initializer_list<const char*> names) {
    std::string directory = cache.cacheDirectory();
    for (const char* name : names) writeWholeFile(directory + name, "x");
  }
  CacheFileList left() { return cache.listCacheFiles(); }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
};

TEST_F(CacheMaintenanceTest, ListsOnlyCacheNamesInByteOrder) {
  addFiles({"122425tb.tmp", "010521tb.htm", "010521tb.tmp", "notes.txt", "0105tb.htm"});
  EXPECT_EQ((CacheFileList{"010521tb.htm", "010521tb.tmp", "122425tb.tmp"}), left());
}

TEST_F(CacheMaintenanceTest, OnlyTheNamesTheProgramWritesAreCacheFiles) {
  for (const char* name : {"010521tb.htm", "010521tb.tmp", "010521tb.prt", "010521tb.xtr", "999999tb.htm"}) {
    EXPECT_TRUE(isCacheFileName(name)) << name;
  }
  for (const char* name : {"notes1tb.txt", "abcdeftb.htm", "01052xtb.tmp", "010521tb.txt", "010521TB.HTM",
                           "010521tb.htm.bak", "010521tb.ht", "0105210tb.tmp", ""}) {
    EXPECT_FALSE(isCacheFileName(name)) << name;
  }
  addFiles({"010521tb.htm", "notes1tb.txt", "abcdeftb.htm"});
  EXPECT_EQ(1, cache.deleteAllPages(progress));
  EXPECT_TRUE(isFile(cache.cacheDirectory() + "notes1tb.txt"));
  EXPECT_TRUE(isFile(cache.cacheDirectory() + "abcdeftb.htm"));
}

TEST_F(CacheMaintenanceTest, DeleteAllAnnouncesEachFileAndStopsAtACancel) {
  addFiles({"010505tb.htm", "010505tb.tmp", "010509tb.htm"});
  progress.cancelAt = 5;  // two statuses, two files go; the third is counted but refused
  EXPECT_EQ(3, cache.deleteAllPages(progress));
  EXPECT_EQ((std::vector<std::string>{"status " + kSearching, "status " + kDeleting,
                                      "file 010505tb.htm", "file 010505tb.tmp",
                                      "file 010509tb.htm"}),
            std::vector<std::string>(progress.calls.begin(), progress.calls.end()));
  EXPECT_EQ((CacheFileList{"010509tb.htm"}), left());
}

TEST_F(CacheMaintenanceTest, DeleteAllOfAnEmptyCacheDoesNothing) {
  EXPECT_EQ(0, cache.deleteAllPages(progress));
  EXPECT_EQ(1u, progress.calls.size());
}

TEST_F(CacheMaintenanceTest, KeepWindowSpansTheNewYear) {
  // 1 January, 03:00 belongs to the broadcast day of 31 December: keep
  // 30 December to 6 January.
  addFiles({"122905tb.tmp", "123005tb.tmp", "123125tb.htm", "010125tb.tmp", "010621tb.tmp",
            "010705tb.tmp", "x12305tb.tmp"});
  EXPECT_EQ(2, cache.deleteOldPages({2027, 1, 1, 3, 0}, progress));
  EXPECT_EQ((CacheFileList{"010125tb.tmp", "010621tb.tmp", "123005tb.tmp", "123125tb.htm"}),
            left());
  EXPECT_TRUE(isFile(cache.cacheDirectory() + "x12305tb.tmp"));  // not a name the program writes
}

TEST_F(CacheMaintenanceTest, DeleteOldCancelledBeforeTheListingGivesMinusOne) {
  addFiles({"010105tb.tmp"});
  progress.cancelAt = 2;
  EXPECT_EQ(-1, cache.deleteOldPages({2026, 6, 1, 12, 0}, progress));
  EXPECT_EQ(1u, left().size());
}

TEST_F(CacheMaintenanceTest, NothingOutsideTheCacheIsTouchedWhenItIsMissing) {
  // The cache directory names a file, so it cannot exist; files of the
  // current directory must stay even if their names match.
  writeWholeFile(folder.file("blocker"), "");
  settings.setString("_config", "directory", folder.file("blocker"));
  EXPECT_TRUE(cache.listCacheFiles().empty());
  EXPECT_EQ(0, cache.deleteFiles({"010105tb.tmp"}, progress));
  EXPECT_EQ(0, cache.deleteOldPages({2026, 6, 1, 12, 0}, progress));
}

}  // namespace

namespace {

// A killed run's half-made files go at the next run; another run's fresh
// ones stay, as does everything else.
TEST_F(CacheMaintenanceTest, LeftoversOfAKilledRunAreRemoved) {
  addFiles({"010521tb.twr", "010521tb.tnw", "010525tb.prt", "010509tb.xtr.new", "010513tb.twr", "010521tb.tmp"});
  const std::string directory = cache.cacheDirectory();
  for (const char* name : {"010521tb.twr", "010521tb.tnw", "010525tb.prt", "010509tb.xtr.new", "010521tb.tmp"}) {
    os::setFileModifiedTime(directory + name, os::currentUnixTime() - 3600);
  }
  EXPECT_EQ(4, cache.removeLeftovers(directory));
  EXPECT_EQ((CacheFileList{"010513tb.twr", "010521tb.tmp"}), left());
}

// A table is written beside its file and moved over it: nothing half-written
// ever carries its name, and a write that fails leaves the old table.
TEST_F(CacheMaintenanceTest, ATableFileIsReplacedWholeOrNotAtAll) {
  const std::string directory = cache.cacheDirectory();
  addFiles({"010521tb.tmp"});
  ProgrammeTable table;
  fillTable(table, {{{1, "", ""}, {60, "05", "05", 5}}, {{1, "", "A"}, {60, "05:00", "x"}}}, 10521);
  ASSERT_TRUE(os::createDirectory(directory + "010521tb.twr"));  // the writing name taken
  EXPECT_FALSE(writeTableFile(localFileSystem(), directory + "010521tb.tmp", table));
  EXPECT_EQ("x", readWholeFile(directory + "010521tb.tmp"));
  std::error_code removed;
  std::filesystem::remove(folder.file("cache") + "/010521tb.twr", removed);
  EXPECT_FALSE(removed) << removed.message();
  EXPECT_TRUE(writeTableFile(localFileSystem(), directory + "010521tb.tmp", table));
  EXPECT_EQ(tableFileBytes(table), readWholeFile(directory + "010521tb.tmp"));
  EXPECT_EQ((CacheFileList{"010521tb.tmp"}), left());
}

}  // namespace
