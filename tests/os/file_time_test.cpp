// File modification times and sizes through the OS layer, the same
// contract on both sides: what is set is read back, a missing file answers -1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FileTimeTest, SetTimeIsReadBackAndAMissingFileHasNone) {
  TempFolder folder;
  const std::string path = folder.file("a.tmp");
  ASSERT_TRUE(writeWholeFile(path, "x"));
  const std::int64_t written = os::fileModifiedTime(path);
  EXPECT_LE(std::abs(written - os::currentUnixTime()), 60);  // just written
  for (std::int64_t seconds : {std::int64_t(784111777), std::int64_t(1796000000)}) {
    ASSERT_TRUE(os::setFileModifiedTime(path, seconds));
    EXPECT_EQ(seconds, os::fileModifiedTime(path));
  }
  EXPECT_EQ(-1, os::fileModifiedTime(folder.file("missing.tmp")));
  EXPECT_FALSE(os::setFileModifiedTime(folder.file("missing.tmp"), 0));
}

TEST(FileTimeTest, SizeIsTheBytesWrittenAndAMissingFileHasNone) {
  TempFolder folder;
  const std::string path = folder.file("a.tmp");
  ASSERT_TRUE(writeWholeFile(path, std::string(70000, 'x')));
  EXPECT_EQ(70000, os::fileSize(path));
  EXPECT_EQ(-1, os::fileSize(folder.file("missing.tmp")));
}

}  // namespace
