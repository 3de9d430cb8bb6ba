// Command lines run at the same time on one settings file: every change
// each of them made is in the file afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "config/settings_store.h"
#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

int runShell(const std::string& command) { return std::system(command.c_str()); }

std::string cli(const std::string& ini) { return std::string("'") + ROKUBAN_CLI + "' --ini '" + ini + "' --quiet "; }

TEST(ConcurrentSettingsTest, ParallelWritersKeepEveryChange) {
  TempFolder folder;
  const std::string ini = folder.file("Rokuban.ini");
  std::string twenty;
  for (int i = 1; i <= 20; ++i) twenty += cli(ini) + "watch add word" + std::to_string(i) + " >/dev/null & ";
  ASSERT_EQ(0, runShell(twenty + "wait"));
  SettingsStore settings;
  settings.load(ini);
  EXPECT_EQ(20u, settings.section("watch").size());

  for (int trial = 0; trial < 10; ++trial) {
    SCOPED_TRACE(trial);
    const std::string port = std::to_string(2000 + trial);
    ASSERT_EQ(0, runShell(cli(ini) + "config set proxyport " + port + " >/dev/null & " + cli(ini) +
                          "watch add trial" + std::to_string(trial) + " >/dev/null & wait"));
    SettingsStore after;
    after.load(ini);
    EXPECT_EQ(port, after.getString("_config", "proxyport", ""));
    EXPECT_EQ(21u + trial, after.section("watch").size());
  }
}

// A lock that cannot be taken never lets a save write unlocked: each
// writer fails, naming the lock file, and the settings stay as they were.
TEST(ConcurrentSettingsTest, ALockThatCannotBeTakenFailsEverySave) {
  for (const char* blocker : {"directory", "dangling link"}) {
    SCOPED_TRACE(blocker);
    TempFolder folder;
    const std::string ini = folder.file("Rokuban.ini");
    const std::string lock = ini + ".lock";
    const std::string original = "[_config]\r\nport=8080\r\n";
    ASSERT_TRUE(writeWholeFile(ini, original));
    if (std::string(blocker) == "directory") {
      ASSERT_TRUE(os::createDirectory(lock));
    } else {
      ASSERT_EQ(0, ::symlink(folder.file("nowhere").c_str(), lock.c_str()));
    }
    std::string twenty;
    for (int i = 1; i <= 20; ++i) {
      twenty += "(" + cli(ini) + "watch add word" + std::to_string(i) + " >/dev/null 2>>'" + folder.file("err") +
                "'; echo $? >>'" + folder.file("codes") + "') & ";
    }
    ASSERT_EQ(0, runShell(twenty + "wait"));
    std::string everyOneFailed;
    for (int i = 0; i < 20; ++i) everyOneFailed += "1\n";
    EXPECT_EQ(everyOneFailed, readWholeFile(folder.file("codes")));
    const std::string errors = readWholeFile(folder.file("err"));
    EXPECT_NE(std::string::npos, errors.find("cannot lock " + lock + ": ")) << errors;
    EXPECT_EQ(original, readWholeFile(ini));
  }
}

}  // namespace
