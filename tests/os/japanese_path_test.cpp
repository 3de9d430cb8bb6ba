// Japanese folder and file names: code page 932 inside the program, the
// system's own encoding on disk, the same contract in both builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(JapanesePathTest, FoldersAndFilesKeepTheirNamesBothWays) {
  TempFolder folder;
  const std::string guide = "\x94\xd4\x91\x67\x95\x5c";  // 番組表: its last trail byte is a backslash
  const std::string file = "\x93\xfa\x96\x7b.ini";      // 日本.ini
  const std::string directory = folder.file(guide);
  ASSERT_TRUE(os::createDirectory(directory));
  EXPECT_EQ(os::kAttributeDirectory, os::fileAttributes(directory) & os::kAttributeDirectory);
  writeWholeFile(directory + "\\" + file, "[_config]\r\n");
  EXPECT_EQ("[_config]\r\n", readWholeFile(directory + "/" + file));
  EXPECT_EQ(std::vector<std::string>{file}, os::findFiles(directory + "/*.ini"));
  EXPECT_EQ(std::vector<std::string>{guide}, os::findFiles(folder.file("\x94\xd4*")));
#ifndef _WIN32
  // On disk the names are the locale's UTF-8 ones.
  std::FILE* onDisk = std::fopen(folder.file("\xe7\x95\xaa\xe7\xb5\x84\xe8\xa1\xa8/\xe6\x97\xa5\xe6\x9c\xac.ini").c_str(), "rb");
  EXPECT_NE(nullptr, onDisk);
  if (onDisk) std::fclose(onDisk);
#endif
  EXPECT_TRUE(os::removeFile(directory + "/" + file));
}

}  // namespace
