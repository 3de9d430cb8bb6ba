// The settings file: its line syntax, sorted write-back and failure modes.
#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bytes/local_file.h"
#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  // Loads `content` from a file; returns load's result.
  bool loadText(const std::string& content) {
    writeWholeFile(path, content);
    return store.load(path);
  }
  std::string saved() {
    EXPECT_TRUE(store.save());
    return readWholeFile(path);
  }

  TempFolder folder;
  std::string path = folder.file("Rokuban.ini");
  SettingsStore store;
};

TEST_F(SettingsFileTest, LineSyntaxTakesBytesAsTheyStand) {
  ASSERT_TRUE(loadText("[s]\r\nkey = value\r\nk=v=w\r\n=x\r\n; note\r\na\rb=c\r\nnoequals\n"));
  const StringMap& s = store.section("s");
  EXPECT_EQ(" value", s.at("key "));
  EXPECT_EQ("v=w", s.at("k"));
  EXPECT_EQ("", s.at("=x"));
  EXPECT_EQ("", s.at("; note"));
  EXPECT_EQ("c", s.at("ab"));
  EXPECT_EQ("", s.at("noequals"));
  EXPECT_EQ("[s]\r\n; note=\r\n=x=\r\nab=c\r\nk=v=w\r\nkey = value\r\nnoequals=\r\n", saved());
}

TEST_F(SettingsFileTest, SectionsMergeLastValueWinsAndEmptyNameIsWrittenAsBrackets) {
  ASSERT_TRUE(loadText("top=1\n[x] trailing text\na=1\n[y]\n[x]\na=2\nb=3"));
  EXPECT_EQ("1", store.getString("", "top", "d"));
  EXPECT_EQ(2, store.getInt("x", "a", 0));
  EXPECT_FALSE(store.hasSection("y"));  // a header alone leaves no trace
  EXPECT_EQ("[]\r\ntop=1\r\n[x]\r\na=2\r\nb=3\r\n", saved());
}

TEST_F(SettingsFileTest, UnterminatedHeaderStopsTheLoadKeepingWhatCameBefore) {
  EXPECT_FALSE(loadText("[a]\nk=1\n[\nm=2\n"));
  EXPECT_EQ(1, store.getInt("a", "k", 0));
  EXPECT_EQ(-5, store.getInt("a", "m", -5));
}

TEST_F(SettingsFileTest, SectionNameEndsAtTrailByteOf0x5D) {
  // 0x83 0x5D is a Shift-JIS character whose trail byte is "]".
  ASSERT_TRUE(loadText("[\x83]rest]\nk=v\n"));
  EXPECT_EQ("v", store.getString("\x83", "k", nullptr));
}

TEST_F(SettingsFileTest, MissingFileRemembersPathAndSaveCreatesIt) {
  EXPECT_FALSE(store.load(path));
  EXPECT_EQ(path, store.path());
  store.setInt("_config", "executed", 1);
  store.setString("area", "tokyo", "T");
  EXPECT_EQ("[_config]\r\nexecuted=1\r\n[area]\r\ntokyo=T\r\n", saved());
}

TEST_F(SettingsFileTest, EmptyFileLoadsAndSavesEmpty) {
  ASSERT_TRUE(loadText(""));
  EXPECT_EQ("", saved());
}

TEST_F(SettingsFileTest, RoundTripOfAProgramWrittenFileIsByteIdentical) {
  const std::string file =
      "[_config]\r\narea=_3\r\ndownloadtime=1230\r\nexecuted=1\r\n[area]\r\n_=\x82\xa0\r\n"
      "tokyo=\x93\x8c\x8b\x9e\x93\x73\r\n[zz]\r\n\x88\x9f=\xff\r\n";
  ASSERT_TRUE(loadText(file));
  EXPECT_EQ(file, saved());
}

TEST_F(SettingsFileTest, UnwritableLocationFailsAndKeepsMemory) {
  store.load(folder.file("missing-dir/") + "Rokuban.ini");
  store.setInt("_config", "date", 4);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(4, store.days());
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileWhole) {
  ASSERT_TRUE(loadText("[_config]\r\ndate=3\r\n"));
  // A directory where the temporary file would go makes the save fail.
  ASSERT_TRUE(os::createDirectory(path + ".new" + std::to_string(os::currentProcessId())));
  store.setInt("_config", "date", 5);
  EXPECT_FALSE(store.save());
  EXPECT_EQ("[_config]\r\ndate=3\r\n", readWholeFile(path));
}

TEST_F(SettingsFileTest, RandomBytesAndHugeLinesNeverCrash) {
  std::string noise;
  unsigned state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1103515245u + 12345u;
    noise += static_cast<char>(state >> 16);
  }
  loadText(noise);
  SettingsStore other;
  writeWholeFile(path, "k=" + std::string(10 * 1024 * 1024, 'v') + "\n");
  EXPECT_TRUE(other.load(path));
  EXPECT_EQ(10u * 1024 * 1024, other.getString("", "k", nullptr).size());
}

TEST_F(SettingsFileTest, ValuesThatWouldBreakALineAreRefusedWhoeverWritesThem) {
  ASSERT_TRUE(loadText("[_config]\r\ndownloadtime=1230\r\ntvguidepass=secret\r\n"));
  EXPECT_EQ(1230, store.downloadTime());
  for (const std::string& bad : {std::string("tokyo\n[x"), std::string("a\rb"),
                                 std::string("a\0b", 3)}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(store.setString("_config", "area", bad));
    EXPECT_FALSE(store.setString("_config", bad, "v"));
    store.setTvGuidePass(bad);
    EXPECT_EQ("secret", store.tvGuidePass());
  }
  EXPECT_FALSE(store.hasSection("x"));
  EXPECT_EQ("[_config]\r\ndownloadtime=1230\r\ntvguidepass=secret\r\n", saved());
}

namespace fs = std::filesystem;

// True where the file system keeps POSIX permission bits.
bool keepsPermissions(const std::string& probe) {
  writeWholeFile(probe, "");
  std::error_code error;
  fs::permissions(probe, fs::perms::owner_read | fs::perms::owner_write, error);
  bool kept = !error && fs::status(probe).permissions() ==
                            (fs::perms::owner_read | fs::perms::owner_write);
  os::removeFile(probe);
  return kept;
}

TEST_F(SettingsFileTest, SaveKeepsPermissionsAndWritesThroughALink) {
  if (!keepsPermissions(folder.file("probe"))) GTEST_SKIP() << "no POSIX permissions here";
  const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
  store.load(path);
  store.setTvGuidePass("secret");
  EXPECT_EQ("[_config]\r\ntvguidepass=secret\r\n", saved());
  EXPECT_EQ(ownerOnly, fs::status(path).permissions());  // a new file may hold passwords

  const fs::perms shared = ownerOnly | fs::perms::group_read;
  fs::permissions(path, shared);
  saved();
  EXPECT_EQ(shared, fs::status(path).permissions());

  ASSERT_TRUE(os::createDirectory(folder.file("real")));
  const std::string target = folder.file("real/Rokuban.ini"), link = folder.file("link.ini");
  writeWholeFile(target, "k=1\r\n");
  fs::create_symlink("real/Rokuban.ini", link);
  SettingsStore linked;
  ASSERT_TRUE(linked.load(link));
  linked.setString("", "k", "2");
  ASSERT_TRUE(linked.save());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ("[]\r\nk=2\r\n", readWholeFile(target));
}

TEST_F(SettingsFileTest, FileNotReadToItsEndIsKeptAsABackupBeforeASave) {
  const std::string cut = "[_config]\r\narea=tokyo\r\n[\r\n[_config]\r\ntvguidepass=p\r\n";
  EXPECT_FALSE(loadText(cut));
  EXPECT_FALSE(store.loadedWhole());
  EXPECT_EQ("[_config]\r\narea=tokyo\r\n", saved());
  EXPECT_EQ(path + ".bak", store.backupPath());
  EXPECT_EQ(cut, readWholeFile(path + ".bak"));
  EXPECT_TRUE(store.loadedWhole());
  saved();  // the file it writes now holds what it read: no second backup
  EXPECT_EQ("", store.backupPath());

  // The same bytes again reuse their backup; other bytes never overwrite it.
  SettingsStore again, other;
  writeWholeFile(path, cut);
  again.load(path);
  ASSERT_TRUE(again.save());
  EXPECT_EQ(path + ".bak", again.backupPath());
  writeWholeFile(path, "[");
  other.load(path);
  ASSERT_TRUE(other.save());
  EXPECT_EQ(path + ".bak1", other.backupPath());
  EXPECT_EQ(cut, readWholeFile(path + ".bak"));
  EXPECT_EQ("[", readWholeFile(path + ".bak1"));
}

TEST_F(SettingsFileTest, FileHeldByAnotherWriterIsNeverReplaced) {
  {
    LocalFile held;  // another process holds the file exclusively
    ASSERT_TRUE(held.createForWrite(path));
    held.write("tvguidepass=p\r\n", 15);
    EXPECT_FALSE(store.load(path));
    store.setArea("osaka");
    EXPECT_FALSE(store.save());
  }
  EXPECT_EQ("tvguidepass=p\r\n", readWholeFile(path));
  EXPECT_EQ("[_config]\r\narea=osaka\r\n", saved());  // once free, kept first
  EXPECT_EQ("tvguidepass=p\r\n", readWholeFile(path + ".bak"));
}

// The window keeps its store for the whole session while the command line
// changes the file: each save keeps what the other changed.
TEST_F(SettingsFileTest, ASaveKeepsWhatAnotherProgramChangedSinceItsLoad) {
  ASSERT_TRUE(loadText("[_config]\r\ndate=3\r\nport=80\r\n[watch]\r\n1=a\r\n2=b\r\n"));
  SettingsStore other;
  ASSERT_TRUE(other.load(path));
  other.setInt("_config", "port", 8080);     // changed there only
  other.section("watch").erase("1");         // removed there only
  other.setString("watch", "3", "c");        // added there only
  other.setInt("_config", "date", 5);        // changed on both sides
  ASSERT_TRUE(other.save());
  store.setInt("_config", "date", 6);
  store.setString("_config", "area", "osaka");
  EXPECT_EQ("[_config]\r\narea=osaka\r\ndate=6\r\nport=8080\r\n[watch]\r\n2=b\r\n3=c\r\n", saved());
  EXPECT_EQ(8080, store.getInt("_config", "port", 0));
  // Saved again with nothing new, the file stays as it is.
  EXPECT_EQ(readWholeFile(path), saved());
}

}  // namespace

namespace {

// A lock that cannot be taken (its name a folder, a dangling link) stops the
// save, which names the lock file; the file stays as it was.
TEST_F(SettingsFileTest, ASaveThatCannotLockFailsAndSaysWhichLock) {
  ASSERT_TRUE(loadText("[_config]\nport=8080\n"));
  store.setString("_config", "area", "osaka");
  ASSERT_TRUE(os::createDirectory(SettingsStore::lockPath(path)));
  EXPECT_FALSE(store.save());
  EXPECT_EQ(0u, store.lockFailure().find(SettingsStore::lockPath(path))) << store.lockFailure();
  EXPECT_EQ("[_config]\nport=8080\n", readWholeFile(path));
  EXPECT_FALSE(store.lockForUpdate(path));
  std::filesystem::remove(SettingsStore::lockPath(path));
#ifndef _WIN32
  std::filesystem::create_symlink(folder.file("nowhere"), SettingsStore::lockPath(path));
  EXPECT_FALSE(store.save());
  std::filesystem::remove(SettingsStore::lockPath(path));
#endif
  EXPECT_TRUE(store.save());
  EXPECT_TRUE(store.lockFailure().empty());
}

}  // namespace
