// The same calls on the disk and on the memory file system of tests give
// the same answers: a fake that drifted from the disk would let the cache's
// tests pass on behaviour the program never sees.
#include <gtest/gtest.h>

#include <algorithm>

#include "bytes/file_system.h"
#include "bytes/paths.h"
#include "os/os.h"
#include "tests/support/fake_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/temp_folder.h"

namespace {

class FileSystemContractTest : public ::testing::TestWithParam<bool> {
 protected:
  FileSystem& files() { return GetParam() ? memory : localFileSystem(); }
  bool write(const std::string& path, const std::string& bytes) {
    std::unique_ptr<Stream> file = files().createForWrite(path);
    const int length = static_cast<int>(bytes.size());
    return file && file->write(bytes.data(), length) == length && file->close();
  }
  std::string read(const std::string& path) {
    std::unique_ptr<Stream> file = files().openForRead(path);
    char bytes[64];
    const int length = file ? file->read(bytes, sizeof bytes) : -1;
    return length < 0 ? "(none)" : std::string(bytes, static_cast<std::size_t>(length));
  }
  std::vector<std::string> found(const std::string& pattern) {
    std::vector<std::string> names = files().find(pattern);
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder;
  FakeClock clock;
  MemoryFileSystem memory{clock};
};

TEST_P(FileSystemContractTest, FoldersAreMadeWithTheirParentsOnce) {
  const std::string nested = folder.file("a/b");
  EXPECT_FALSE(files().createDirectory(nested));
  EXPECT_FALSE(write(folder.file("a/x"), "x"));
  EXPECT_TRUE(createDirectoryWithParents(files(), nested));
  EXPECT_FALSE(createDirectoryWithParents(files(), nested));
  EXPECT_TRUE(files().isDirectory(nested + "/"));
  EXPECT_FALSE(files().remove(nested));
  EXPECT_EQ(-1, files().attributes(folder.file("a/c")));
}

TEST_P(FileSystemContractTest, FilesAreWrittenFoundMovedAndRemovedAlike) {
  ASSERT_TRUE(createDirectoryWithParents(files(), folder.file("d")));
  const std::string directory = folder.file("d/");
  ASSERT_TRUE(write(directory + "one.tmp", "1"));
  ASSERT_TRUE(write(directory + "two.tmp", "22"));
  ASSERT_TRUE(write(directory + "one.htm", "333"));
  EXPECT_FALSE(write(directory, "x"));
  EXPECT_EQ((std::vector<std::string>{"one.tmp", "two.tmp"}), found(directory + "*.tmp"));
  EXPECT_EQ(std::vector<std::string>{"one.htm"}, found(directory + "???.htm"));
  EXPECT_EQ(0, files().attributes(directory + "one.htm") & os::kAttributeDirectory);

  EXPECT_TRUE(files().replace(directory + "one.tmp", directory + "two.tmp"));
  EXPECT_EQ("1", read(directory + "two.tmp"));
  EXPECT_EQ("(none)", read(directory + "one.tmp"));
  EXPECT_FALSE(files().replace(directory + "one.tmp", directory + "two.tmp"));

  EXPECT_TRUE(files().setModifiedTime(directory + "one.htm", 1000000000));
  EXPECT_EQ(1000000000, files().modifiedTime(directory + "one.htm"));
  EXPECT_EQ(-1, files().modifiedTime(directory + "one.tmp"));
  EXPECT_FALSE(files().setModifiedTime(directory + "one.tmp", 1000000000));

  EXPECT_TRUE(files().remove(directory + "two.tmp"));
  EXPECT_FALSE(files().remove(directory + "two.tmp"));
  ASSERT_TRUE(files().createDirectory(directory + "sub"));
  EXPECT_EQ((std::vector<std::string>{".", "..", "one.htm", "sub"}), found(directory + "*"));
}

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, FileSystemContractTest, ::testing::Bool());

}  // namespace
