// watch check --exec as a separate process: its commands run with the
// settings file unlocked, and a run stopped half-way keeps what it ran.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "bytes/local_file.h"
#include "config/settings_store.h"
#include "tests/support/temp_folder.h"

namespace {

std::string cli(const std::string& ini) { return std::string("'") + ROKUBAN_CLI + "' --ini '" + ini + "' "; }

const char kThreeProgrammes[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<tv>
  <channel id="one.example"><display-name>One</display-name></channel>
  <programme start="20261208200000 +0900" stop="20261208210000 +0900" channel="one.example"><title>News</title></programme>
  <programme start="20261208210000 +0900" stop="20261208220000 +0900" channel="one.example"><title>Sea</title></programme>
  <programme start="20261208220000 +0900" stop="20261208230000 +0900" channel="one.example"><title>Movie</title></programme>
</tv>
)";

TEST(WatchCommandTest, CommandsRunOutsideTheLockAndEachSuccessIsKeptAtOnce) {
  TempFolder folder;
  const std::string ini = folder.file("Rokuban.ini"), ran = folder.file("ran.txt");
  ASSERT_TRUE(writeWholeFile(folder.file("guide.xml"), kThreeProgrammes));
  ASSERT_TRUE(writeWholeFile(ini, "[_config]\r\ndirectory=" + folder.file("cache") + "\r\nxmltvsource=" +
                                      folder.file("guide.xml") + "\r\n"));
  const std::string now = " --now '2026-12-08 12:00'";
  ASSERT_EQ(0, std::system((cli(ini) + "--quiet crawl --days 0" + now + " >/dev/null && " + cli(ini) +
                            "watch add News >/dev/null && " + cli(ini) + "watch add Sea >/dev/null && " + cli(ini) +
                            "watch add Movie >/dev/null").c_str()));
  // Each command changes the settings itself; the second stops the check.
  // (The temporary folder's path holds no quote or space.)
  const std::string command = std::string(ROKUBAN_CLI) + " --ini " + ini + " config set proxyport 1$ROKUBAN_ENTRY && echo $ROKUBAN_ENTRY >>" + ran +
                              " && { [ $ROKUBAN_ENTRY != 2 ] || kill -TERM $PPID; }";
  const int status = std::system(("timeout 20 " + cli(ini) + "watch check" + now + " --exec '" + command +
                                  "' >/dev/null 2>&1").c_str());
  ASSERT_NE(124, WEXITSTATUS(status)) << "the command waited for the lock";
  EXPECT_EQ("1\n2\n", readWholeFile(ran));
  SettingsStore settings;
  settings.load(ini);
  EXPECT_EQ("12", settings.getString("_config", "proxyport", ""));
  EXPECT_EQ(1u, settings.section("watchannounced").size());  // the first; the second's save was cut off
}

}  // namespace
