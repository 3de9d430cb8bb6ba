// The door to the system as both sides of os/ must keep it: these run
// natively and under wine, so that the Win32 and POSIX files cannot drift.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "os/file_lock.h"
#include "os/os.h"
#include "os/shell_command.h"
#include "os/text.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(OsContractTest, TwoLocksOnOnePathExcludeEachOther) {
  TempFolder folder;
  const std::string path = folder.file("lock");
  os::FileLock first;
  ASSERT_TRUE(first.acquire(path));
  std::atomic<bool> trying{false}, firstReleased{false}, secondGotIt{false}, grantedTooEarly{false};
  std::thread other([&] {
    os::FileLock second;
    trying = true;
    const bool acquired = second.acquire(path);
    grantedTooEarly = !firstReleased;
    secondGotIt = acquired;
  });
  while (!trying) std::this_thread::yield();
  // However long the holder keeps it, the other waits.
  for (int i = 0; i < 10000 && !secondGotIt; ++i) std::this_thread::yield();
  EXPECT_FALSE(secondGotIt);
  firstReleased = true;
  first.release();
  other.join();
  EXPECT_TRUE(secondGotIt);
  EXPECT_FALSE(grantedTooEarly);
  // The lock file stays behind and locks again; a folder cannot be one.
  EXPECT_TRUE(first.acquire(path));
  EXPECT_FALSE(os::FileLock().acquire(folder.path()));
}

TEST(OsContractTest, AReplacementKeepsTheOldFilesPermissions) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string from = folder.file("a.tnw"), to = folder.file("a.tmp");
  ASSERT_TRUE(writeWholeFile(to, "old"));
  // 0640 on POSIX, which no usual umask gives a new file; Win32 shows its
  // files as writable by all, and keeps that.
  fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms kept = fs::status(to).permissions();
  ASSERT_TRUE(writeWholeFile(from, "new"));
  ASSERT_TRUE(os::replaceKeepingAttributes(from, to));
  EXPECT_EQ("new", readWholeFile(to));
  EXPECT_EQ(-1, os::fileAttributes(from));
  EXPECT_EQ(kept, fs::status(to).permissions());
  // Without an old file it is a plain move.
  ASSERT_TRUE(writeWholeFile(from, "first"));
  ASSERT_TRUE(os::replaceKeepingAttributes(from, folder.file("b.tmp")));
  EXPECT_EQ("first", readWholeFile(folder.file("b.tmp")));
}

TEST(OsContractTest, AShellCommandsExitStatusComesBack) {
  EXPECT_EQ(0, os::runShellCommand("exit 0", {}));
  EXPECT_EQ(3, os::runShellCommand("exit 3", {}));
#ifdef _WIN32
  const std::string fromVariable = "exit %ROKUBAN_CODE%";
#else
  const std::string fromVariable = "exit $ROKUBAN_CODE";
#endif
  EXPECT_EQ(42, os::runShellCommand(fromVariable, {{"ROKUBAN_CODE", "42"}}));
}

TEST(OsContractTest, JapaneseTextComesBackAsItWent) {
  for (const std::string cp932 : {
           "\x82\xa0\x83\x41\xb1",  // あ ア ｱ
           "\x94\xd4\x91\x67\x95\x5c",  // 番組表: a trail byte that is a backslash
           "\xfb\xfc", "\x87\x40",  // 髙 ①
       }) {
    EXPECT_EQ(cp932, os::utf8ToCp932(os::cp932ToUtf8(cp932))) << cp932;
  }
  // A lead byte with nothing after it is one character that is not there.
  EXPECT_EQ("a\xef\xbf\xbd", os::cp932ToUtf8("a\x82"));
}

}  // namespace
