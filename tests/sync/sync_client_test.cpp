// The sync client against a scripted server on 127.0.0.1: the wire bytes,
// the labels, the clean-up, and every failure path.
#include "sync/sync_client.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/settings_store.h"
#include "os/os.h"
#include "os/socket.h"
#include "sync/sync_frame.h"
#include "tests/support/recording_progress.h"
#include "tests/support/scripted_sync_server.h"
#include "tests/support/temp_folder.h"
#include "tests/sync/sync_texts.h"

using namespace sync_texts;

namespace {

std::string entry(int tag, int month, int day, int hour) {
  return {static_cast<char>(tag), static_cast<char>(month), static_cast<char>(day),
          static_cast<char>(hour)};
}

const std::string kListRequest("LS\0\0", 4);

std::string getRequest(const std::string& entryBytes) { return syncFrame("GE", entryBytes); }

std::string word(std::uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}
std::string pieceRequest(const std::string& entryBytes, std::uint32_t offset) {
  return syncFrame("GP", entryBytes + word(offset));
}
std::string pieceReply(std::uint32_t size, std::uint32_t version, const std::string& bytes) {
  return syncFrame("ok", word(size) + word(version) + bytes);
}

class SyncClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.setString("_config", "directory", folder.path());
    settings.setSyncServer("127.0.0.1");
    settings.setSyncPort(server.port());
    cache.setSettings(settings);
  }

  int runSync(int readTimeoutMilliseconds = 3000) {
    SyncClient client(cache);
    client.setReadTimeout(readTimeoutMilliseconds);
    return client.run(progress);
  }

  // A page file and a table file the server will not list.
  void putStaleFiles() {
    ASSERT_TRUE(writeWholeFile(folder.file("010105tb.htm"), "<html>"));
    ASSERT_TRUE(writeWholeFile(folder.file("123125tb.tmp"), "stale"));
  }
  bool exists(const std::string& name) { return os::fileAttributes(folder.file(name)) != -1; }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache;
  RecordingProgress progress;
  ScriptedSyncServer server;
};

TEST_F(SyncClientTest, FetchesWhatIsMissingAndDeletesWhatIsNotListed) {
  putStaleFiles();
  ASSERT_TRUE(writeWholeFile(folder.file("010105tb.tmp"), "kept as it is"));
  const std::string present = entry(7, 1, 1, 5);
  const std::string nine = entry(9, 1, 1, 9);
  const std::string late = entry(0xAB, 1, 2, 25);
  server.expect(4)
      .send(syncFrame("ok", present + nine + late))
      .expect(16)  // both get requests before any reply
      .send(syncFrame("ok", "nine o'clock") + syncFrame("ok", ""));
  server.start();

  EXPECT_EQ(runSync(), 2);

  EXPECT_EQ(server.received(), kListRequest + getRequest(nine) + getRequest(late));
  EXPECT_EQ(readWholeFile(folder.file("010109tb.tmp")), "nine o'clock");
  EXPECT_TRUE(exists("010225tb.tmp"));
  EXPECT_EQ(readWholeFile(folder.file("010225tb.tmp")), "");
  EXPECT_EQ(readWholeFile(folder.file("010105tb.tmp")), "kept as it is");
  EXPECT_FALSE(exists("010105tb.htm"));
  EXPECT_FALSE(exists("123125tb.tmp"));
  std::vector<std::string> expected = {
      "status " + kConnecting, "status " + kListing,   "status " + kFetching,
      "total 2",               "file 01/01 09:00-",    "file 01/02 25:00-",
      "status " + kDeleting,   "file 010105tb.htm",    "file 123125tb.tmp"};
  EXPECT_EQ(progress.calls, expected);
}

TEST_F(SyncClientTest, EntriesNamingNoRealSlotAreSkippedWithAStatus) {
  // Month 0, 13 and 255, 30 February, 31 April, hour 6: none may become a file.
  std::string list = entry(0, 0, 1, 5) + entry(0, 13, 1, 5) + entry(0, 255, 255, 255) +
                     entry(0, 2, 30, 5) + entry(0, 4, 31, 9) + entry(0, 1, 1, 6);
  const std::string real = entry(0, 2, 29, 25);
  server.expect(4).send(syncFrame("ok", list + real)).expect(8).send(syncFrame("ok", "leap"));
  server.start();

  EXPECT_EQ(runSync(), 0);
  EXPECT_EQ(server.received(), kListRequest + getRequest(real));
  EXPECT_EQ(cache.listCacheFiles(), CacheFileList{"022925tb.tmp"});
  int files = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder.path()))
    files += file.is_regular_file() && file.path().filename() != "synctags";
  EXPECT_EQ(files, 1);
  // 一覧の無効な項目を飛ばしました:6件
  const std::string skipped =
      "\x88\xea\x97\x97\x82\xcc\x96\xb3\x8c\xf8\x82\xc8\x8d\x80\x96\xda\x82\xf0\x94\xf2"
      "\x82\xce\x82\xb5\x82\xdc\x82\xb5\x82\xbd:6\x8c\x8f";
  EXPECT_EQ(progress.calls[2], "status " + skipped);
  EXPECT_EQ(progress.calls[3], "status " + kFetching);
}

TEST_F(SyncClientTest, ARunTakesNoMoreThanItsCapAndSaysWhy) {
  putStaleFiles();
  const std::string list = entry(0, 6, 1, 5) + entry(0, 6, 1, 9);  // 8 bytes
  server.expect(4).send(syncFrame("ok", list)).expect(16).send(syncFrame("ok", "12345") + syncFrame("ok", "6"));
  server.start();
  SyncClient client(cache);
  client.setReadTimeout(3000);
  client.setMaxRunBytes(13);

  EXPECT_EQ(client.run(progress), -1);
  EXPECT_EQ(readWholeFile(folder.file("060105tb.tmp")), "12345");
  EXPECT_FALSE(exists("060109tb.tmp"));
  EXPECT_TRUE(exists("123125tb.tmp"));  // a failed run deletes nothing
  // 受信量が上限を超えました。
  EXPECT_EQ(progress.calls.back(), "error \x8e\xf3\x90\x4d\x97\xca\x82\xaa\x8f\xe3\x8c\xc0\x82\xf0"
                                   "\x92\xb4\x82\xa6\x82\xdc\x82\xb5\x82\xbd\x81\x42");
}

TEST_F(SyncClientTest, ContentInManySmallPiecesArrivesWhole) {
  std::string content;
  for (int i = 0; i < 3000; ++i) content += static_cast<char>(i * 7);
  const std::string one = entry(0, 3, 4, 13);
  server.expect(4).send(syncFrame("ok", one)).expect(8).sendInPieces(syncFrame("ok", content), 97, 1);
  server.start();

  EXPECT_EQ(runSync(), 0);
  EXPECT_EQ(readWholeFile(folder.file("030413tb.tmp")), content);
}

TEST_F(SyncClientTest, CancelStopsOnlyTheCleanUp) {
  putStaleFiles();
  progress.cancelAt = 1;  // every progress call answers "cancelled"
  server.expect(4).send(syncFrame("ok", entry(0, 5, 6, 17))).expect(8).send(syncFrame("ok", "x"));
  server.start();

  EXPECT_EQ(runSync(), 1);  // the first stale name is counted, then it stops
  EXPECT_EQ(readWholeFile(folder.file("050617tb.tmp")), "x");
  EXPECT_TRUE(exists("010105tb.htm"));
  EXPECT_TRUE(exists("123125tb.tmp"));
}

TEST_F(SyncClientTest, ServerErrorTextIsShownUpToItsZeroByte) {
  putStaleFiles();
  server.expect(4).send(syncFrame("NG", std::string("busy\0tail", 9)));
  server.start();

  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls.back(), "error " + kServerError + "busy");
  EXPECT_EQ(server.received(), kListRequest);
  EXPECT_TRUE(exists("010105tb.htm"));
}

TEST_F(SyncClientTest, ListOfLengthSixIsABadSizeAndDeletesNothing) {
  putStaleFiles();
  server.expect(4).send(syncFrame("ok", entry(0, 1, 1, 5) + "xy"));
  server.start();

  EXPECT_EQ(runSync(), 0);
  EXPECT_EQ(progress.calls.back(), "error " + kBadListSize);
  EXPECT_EQ(server.received(), kListRequest);
  EXPECT_TRUE(exists("010105tb.htm"));
  EXPECT_TRUE(exists("123125tb.tmp"));
}

TEST_F(SyncClientTest, EmptyListThenCloseDeletesEveryCacheFile) {
  putStaleFiles();
  ASSERT_TRUE(writeWholeFile(folder.file("notes.txt"), "mine"));
  server.expect(4).send(syncFrame("ok")).hangUp();
  server.start();

  EXPECT_EQ(runSync(), 2);
  EXPECT_EQ(server.received(), kListRequest);
  EXPECT_FALSE(exists("010105tb.htm"));
  EXPECT_FALSE(exists("123125tb.tmp"));
  EXPECT_TRUE(exists("notes.txt"));
  EXPECT_EQ(progress.calls[3], "total 0");
}

TEST_F(SyncClientTest, EmptyListThenSilenceTimesOut) {
  putStaleFiles();
  server.expect(4).send(syncFrame("ok"));  // then silent until the client closes
  server.start();

  EXPECT_EQ(runSync(300), -1);
  EXPECT_EQ(progress.calls.back(), "error " + kReceiveError);
  EXPECT_TRUE(exists("010105tb.htm"));
  EXPECT_TRUE(exists("123125tb.tmp"));
}

TEST_F(SyncClientTest, RepliesSplitAcrossSegmentsFailInTheListReads) {
  server.expect(4).send("o").pause(300).send(std::string("k\0\0", 3));
  server.start();
  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls.back(), "error " + kReceiveError);
}

TEST_F(SyncClientTest, ListDataSplitAcrossSegmentsFails) {
  const std::string list = entry(0, 1, 1, 5) + entry(0, 1, 1, 9);
  server.expect(4).send(syncFrame("ok", list).substr(0, 8)).pause(300).send(list.substr(4));
  server.start();
  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls.back(), "error " + kReceiveError);
}

TEST_F(SyncClientTest, RefusedFileStopsTheRunAndKeepsEarlierFiles) {
  putStaleFiles();
  server.expect(4)
      .send(syncFrame("ok", entry(0, 2, 1, 5) + entry(0, 2, 1, 9) + entry(0, 2, 1, 13)))
      .expect(24)
      .send(syncFrame("ok", "first") + syncFrame("ng"));
  server.start();

  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(readWholeFile(folder.file("020105tb.tmp")), "first");
  EXPECT_FALSE(exists("020109tb.tmp"));
  EXPECT_FALSE(exists("020113tb.tmp"));
  EXPECT_TRUE(exists("010105tb.htm"));
  EXPECT_TRUE(exists("123125tb.tmp"));
  std::vector<std::string> tail(progress.calls.end() - 3, progress.calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"file 02/01 05:00-", "file 02/01 09:00-",
                                            "error " + kFetchFailed}));
}

TEST_F(SyncClientTest, ConnectionDroppedInsideAFileLeavesNoTruncatedTable) {
  putStaleFiles();
  std::string reply = syncFrame("ok", std::string(100, 'z'));
  server.expect(4)
      .send(syncFrame("ok", entry(0, 4, 1, 5) + entry(0, 4, 1, 9)))
      .expect(16)
      .send(syncFrame("ok", "whole") + reply.substr(0, 44))
      .hangUp();
  server.start();

  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls.back(), "error " + kSaveFailed);
  EXPECT_EQ(readWholeFile(folder.file("040105tb.tmp")), "whole");
  EXPECT_FALSE(exists("040109tb.tmp"));
  EXPECT_EQ(cache.listCacheFiles(),
            (CacheFileList{"010105tb.htm", "040105tb.tmp", "123125tb.tmp"}));
}

TEST_F(SyncClientTest, APresentTableIsFetchedAgainOnlyWhenItsTagMovedOn) {
  ASSERT_TRUE(writeWholeFile(folder.file("010105tb.tmp"), "crawled here"));
  ASSERT_TRUE(writeWholeFile(folder.file("010109tb.tmp"), "same"));
  ASSERT_TRUE(writeWholeFile(folder.file("010113tb.tmp"), "old"));
  ASSERT_TRUE(writeWholeFile(folder.file("synctags"), "010109 05\n010113 05\n123125 01\ndamaged\n"));
  const std::string moved = entry(6, 1, 1, 13);
  server.expect(4)
      .send(syncFrame("ok", entry(7, 1, 1, 5) + entry(5, 1, 1, 9) + moved))
      .expect(8)
      .send(syncFrame("ok", "new"));
  server.start();

  EXPECT_EQ(runSync(), 0);
  EXPECT_EQ(server.received(), kListRequest + getRequest(moved));
  EXPECT_EQ(readWholeFile(folder.file("010105tb.tmp")), "crawled here");
  EXPECT_EQ(readWholeFile(folder.file("010109tb.tmp")), "same");
  EXPECT_EQ(readWholeFile(folder.file("010113tb.tmp")), "new");
  // A table with no tag takes the listed one; a slot no longer listed is forgotten.
  EXPECT_EQ(readWholeFile(folder.file("synctags")), "010105 07\n010109 05\n010113 06\n");
}

TEST_F(SyncClientTest, ATableTooLargeForOneReplyComesInPiecesAfterTheOtherReplies) {
  const std::string large = entry(0x11, 3, 1, 5), small = entry(0x22, 3, 1, 9);
  std::string content(kSyncMaxPiece + 1, 'L');
  content.back() = '!';
  const std::uint32_t size = static_cast<std::uint32_t>(content.size());
  const std::string head = content.substr(0, kSyncMaxPiece);
  server.expect(4)
      .send(syncFrame("ok", large + small))
      .expect(16)
      .send(syncFrame("lg") + syncFrame("ok", "small"))
      .expect(12)
      .send(pieceReply(size, 1, head))
      .expect(12)  // replaced on the server meanwhile: the client starts again
      .send(pieceReply(size, 2, "?"))
      .expect(12)
      .sendInPieces(pieceReply(size, 2, head), 5000, 1)
      .expect(12)
      .send(pieceReply(size, 2, "!"));
  server.start();

  EXPECT_EQ(runSync(), 0);
  const std::string onePiece = pieceRequest(large, 0) + pieceRequest(large, kSyncMaxPiece);
  EXPECT_EQ(server.received(), kListRequest + getRequest(large) + getRequest(small) + onePiece + onePiece);
  EXPECT_EQ(readWholeFile(folder.file("030105tb.tmp")), content);
  EXPECT_EQ(readWholeFile(folder.file("030109tb.tmp")), "small");
  std::vector<std::string> labels(progress.calls.end() - 4, progress.calls.end() - 1);
  EXPECT_EQ(labels, (std::vector<std::string>{"total 2", "file 03/01 05:00-", "file 03/01 09:00-"}));
}

TEST_F(SyncClientTest, MissingCacheDirectoryStopsBeforeConnecting) {
  writeWholeFile(folder.file("afile"), "x");
  settings.setString("_config", "directory", folder.file("afile/child"));
  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls, std::vector<std::string>{"error " + kNoDirectory});
}

TEST_F(SyncClientTest, NobodyListeningIsAConnectFailure) {
  os::SocketHandle probe = os::listenTcp("127.0.0.1", 0);
  settings.setSyncPort(os::boundPort(probe));
  os::closeSocket(probe);
  EXPECT_EQ(runSync(), -1);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"status " + kConnecting,
                                                      "error " + kConnectFailed}));
}

}  // namespace
