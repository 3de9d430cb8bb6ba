// The README's settings reference is the settings table's own text.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "config/setting_table.h"

namespace {

TEST(SettingsReferenceTest, TheReadmeListsEveryKeyOfTheTableWithItsDefault) {
  std::ifstream in(std::string(ROKUBAN_SOURCE_DIR) + "/README.md", std::ios::binary);
  std::stringstream readme;
  readme << in.rdbuf();
  if (readme.str().empty()) GTEST_SKIP() << "README.md not reachable from this build";
  const std::string text = readme.str();
  const std::string begin = "<!-- settings reference -->\n", end = "<!-- end of settings reference -->";
  const std::size_t from = text.find(begin), to = text.find(end);
  ASSERT_NE(std::string::npos, from);
  ASSERT_NE(std::string::npos, to);
  EXPECT_EQ(settingsReference(), text.substr(from + begin.size(), to - from - begin.size()))
      << "paste this between the markers:\n"
      << settingsReference();
}

}  // namespace
