// The cache directory and the names of the files in it.
#include "guide/guide_cache.h"

#include <gtest/gtest.h>

#include <string>

#include "bytes/paths.h"
#include "config/settings_store.h"
#include "tests/support/temp_folder.h"

namespace {

// Whatever the working folder, a relative cache folder lies beside the
// settings file; an absolute one stays as it is.
TEST(CacheFileNamesTest, ARelativeDirectoryIsTakenFromTheSettingsFilesFolder) {
  TempFolder folder;
  SettingsStore settings;
  settings.load(folder.file("Rokuban.ini"));
  GuideCache cache{settings};
  settings.setString("_config", "directory", "cache");
  // The folder's own separator ends it: '/' outside Windows, never a backslash there.
  const char separator = folder.file("").back();
  EXPECT_EQ(folder.file("cache") + separator, cache.cacheDirectory());
  EXPECT_TRUE(isDirectory(folder.file("cache")));
  settings.setString("_config", "directory", folder.file("other"));
  EXPECT_EQ(folder.file("other") + separator, cache.cacheDirectory());
}

TEST(CacheFileNamesTest, DirectoryIsCreatedAndNamesArePadded) {
  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  settings.setString("_config", "directory", folder.file("cache"));
  std::string directory = folder.file("cache") + folder.file("").back();
  EXPECT_EQ(directory, cache.cacheDirectory());
  EXPECT_TRUE(isDirectory(folder.file("cache")));
  EXPECT_EQ(directory + "010521tb.htm", cache.pageFileName(10521));
  EXPECT_EQ(directory + "122425tb.tmp", cache.tableFileName(122425));

  writeWholeFile(folder.file("afile"), "x");
  settings.setString("_config", "directory", folder.file("afile"));
  EXPECT_EQ("", cache.cacheDirectory());
  settings.setString("_config", "directory", folder.file("afile\\child"));
  EXPECT_EQ("", cache.cacheDirectory());
  EXPECT_EQ("010521tb.htm", cache.pageFileName(10521));
  // Missing parents are made, whichever separator the setting uses.
  settings.setString("_config", "directory", folder.file("missing\\child"));
  EXPECT_EQ(folder.file("missing\\child\\"), cache.cacheDirectory());
}

}  // namespace
