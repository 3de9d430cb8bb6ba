// A long-running program's watch list follows what the command line wrote
// to the settings file, keeping its own unsaved changes.
#include "watch/watch_settings_follower.h"

#include <gtest/gtest.h>

#include "bytes/local_file.h"
#include "config/settings_store.h"
#include "tests/support/temp_folder.h"
#include "watch/watch_list.h"
#include "watch/watch_memory.h"

namespace {

TEST(WatchSettingsFollower, TakesOverTheWatchSectionsWhenTheFileChangedAndKeepsItsOwnChanges) {
  TempFolder folder;
  const std::string path = folder.file("Rokuban.ini");
  ASSERT_TRUE(writeWholeFile(path, "[_config]\r\narea=tokyo\r\n[watch]\r\n1=News\r\n2=Sea\r\n"));
  SettingsStore window;
  window.load(path);
  WatchSettingsFollower follower;
  EXPECT_TRUE(follower.follow(window));  // the first look reads
  EXPECT_FALSE(follower.follow(window));
  window.section(kAnnouncedSection)["one.example/202612082000"] = "202612082100";  // not saved yet

  SettingsStore commandLine;
  commandLine.load(path);
  commandLine.section(kWatchSection)["3"] = "Movie";
  commandLine.section(kWatchSection).erase("1");
  commandLine.setArea("osaka");
  ASSERT_TRUE(commandLine.save());

  EXPECT_TRUE(follower.follow(window));
  EXPECT_EQ((StringMap{{"2", "Sea"}, {"3", "Movie"}}), window.section(kWatchSection));
  EXPECT_EQ(1u, window.section(kAnnouncedSection).size());
  EXPECT_EQ("tokyo", window.area());  // other settings wait for the next save
  EXPECT_FALSE(follower.follow(window));

  ASSERT_TRUE(window.save());
  SettingsStore after;
  after.load(path);
  EXPECT_EQ(window.section(kWatchSection), after.section(kWatchSection));
  EXPECT_EQ(1u, after.section(kAnnouncedSection).size());
  EXPECT_EQ("osaka", after.area());
}

}  // namespace
