// Finding files by wildcard: the same contract in both builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FindFilesTest, WildcardMatchesWholeNamesOnly) {
  TempFolder folder;
  for (const char* name : {"010521tb.htm", "122425tb.tmp", "01052tb.htm", "x010521tb.htm",
                           "010521tb.html", "abcdeftb.xyz"}) {
    writeWholeFile(folder.file(name), "");
  }
  std::vector<std::string> found = os::findFiles(folder.path() + "??????tb.???");
  std::sort(found.begin(), found.end());
  EXPECT_EQ((std::vector<std::string>{"010521tb.htm", "122425tb.tmp", "abcdeftb.xyz"}), found);
  EXPECT_TRUE(os::findFiles(folder.file("missing\\??????tb.???")).empty());
}

}  // namespace
