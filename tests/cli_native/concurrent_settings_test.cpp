// Command lines run at the same time on one settings file: every change
// each of them made is in the file afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/settings_store.h"
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

}  // namespace
