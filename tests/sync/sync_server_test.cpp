// The sync server against a hand-written client on 127.0.0.1: what it
// lists, what it serves and refuses, requests in pieces, several clients,
// and a clean stop.
#include "sync/sync_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "net/tcp_socket.h"
#include "os/os.h"
#include "sync/sync_frame.h"
#include "sync/sync_table_folder.h"
#include "tests/support/scripted_sync_server.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string kTag("t");

// The tag the server lists a table with: its content's version.
int tagOf(const std::string& content) { return static_cast<int>(syncContentVersion(content) & 0xFF); }

std::string entry(int tag, int month, int day, int hour) {
  return {static_cast<char>(tag), static_cast<char>(month), static_cast<char>(day),
          static_cast<char>(hour)};
}

// Reads exactly `size` bytes; fewer when the server closes or stays silent.
std::string readExactly(TcpSocket& socket, int size) {
  std::string bytes;
  while (static_cast<int>(bytes.size()) < size) {
    char buffer[4096];
    int got = socket.read(buffer, std::min<int>(sizeof buffer, size - static_cast<int>(bytes.size())));
    if (got <= 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

// One reply frame: header, then as much data as the header announces.
std::string readFrame(TcpSocket& socket) {
  std::string header = readExactly(socket, 4);
  if (header.size() != 4) return header;
  int length = static_cast<unsigned char>(header[2]) | (static_cast<unsigned char>(header[3]) << 8);
  return header + readExactly(socket, length);
}

bool peerClosed(TcpSocket& socket) {
  char byte;
  return socket.read(&byte, 1) == 0;
}

// The server ended the connection: an orderly close, or a reset when it went
// away with request bytes unread. A silent server makes the read time out.
bool peerEnded(TcpSocket& socket, int readTimeoutMilliseconds) {
  std::uint64_t start = os::tickMilliseconds();
  char byte;
  int got = socket.read(&byte, 1);
  return got == 0 || (got < 0 && os::tickMilliseconds() - start < static_cast<std::uint64_t>(readTimeoutMilliseconds));
}

class SyncServerTest : public ::testing::Test {
 protected:
  const std::string kListed = entry(tagOf("new year"), 1, 1, 5) + entry(tagOf(""), 12, 31, 25);
  // The server's clock moves only when a test moves it.
  SyncServerLimits handMovedClock() {
    SyncServerLimits limits;
    limits.now = [this] { return clockNow.load(); };
    return limits;
  }

  void SetUp() override {
    ASSERT_TRUE(writeWholeFile(folder.file("010105tb.tmp"), "new year"));
    ASSERT_TRUE(writeWholeFile(folder.file("123125tb.tmp"), ""));
    ASSERT_TRUE(writeWholeFile(folder.file("010105tb.htm"), "<html>"));  // a page, not a table
    for (const char* odd : {"130105tb.tmp", "010106tb.tmp", "003205tb.tmp", "abcdeftb.tmp",
                            "0101059tb.tmp", "010109tb.prt"}) {
      ASSERT_TRUE(writeWholeFile(folder.file(odd), "not served"));
    }
    ASSERT_TRUE(server.listen("127.0.0.1", 0));
    serving = std::thread([this] { served = server.serve(); });
  }
  void TearDown() override {
    server.stop();
    serving.join();
    EXPECT_TRUE(served);
  }

  bool connect(TcpSocket& socket) { return socket.openAndConnect("127.0.0.1", server.port()) == 1; }
  std::string ask(TcpSocket& socket, const std::string& requests) {
    EXPECT_EQ(socket.write(requests.data(), static_cast<int>(requests.size())),
              static_cast<int>(requests.size()));
    return readFrame(socket);
  }

  std::atomic<std::uint64_t> clockNow{1000};
  TempFolder folder;
  SyncServer server{folder.path(), handMovedClock()};
  std::thread serving;
  bool served = false;
};

TEST_F(SyncServerTest, ListsOnlyTheTableFilesOfValidSlots) {
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  EXPECT_EQ(ask(client, syncFrame("LS")), syncFrame("ok", kListed));
}

TEST_F(SyncServerTest, ServesFilesInRequestOrderAndRefusesTheRest) {
  ASSERT_TRUE(writeWholeFile(folder.file("020205tb.tmp"), std::string(65535, 'a')));
  ASSERT_TRUE(writeWholeFile(folder.file("020209tb.tmp"), std::string(65536, 'b')));
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  // Any tag is accepted; only month, day and hour name the file.
  std::string requests = syncFrame("GE", entry(0, 1, 1, 5)) + syncFrame("GE", entry(9, 2, 2, 5)) +
                         syncFrame("GE", entry('t', 2, 2, 9)) + syncFrame("GE", entry('t', 1, 1, 9)) +
                         syncFrame("GE", entry('t', 13, 1, 5)) + syncFrame("GE", entry('t', 1, 1, 6)) +
                         syncFrame("GE", entry('t', 12, 31, 25));
  ASSERT_EQ(client.write(requests.data(), static_cast<int>(requests.size())),
            static_cast<int>(requests.size()));
  EXPECT_EQ(readFrame(client), syncFrame("ok", "new year"));
  EXPECT_EQ(readFrame(client), syncFrame("ok", std::string(65535, 'a')));
  EXPECT_EQ(readFrame(client), syncFrame("lg"));  // too large for one reply: ask in pieces
  EXPECT_EQ(readFrame(client), syncFrame("ng"));  // missing
  EXPECT_EQ(readFrame(client), syncFrame("ng"));  // month 13
  EXPECT_EQ(readFrame(client), syncFrame("ng"));  // not a slot hour
  EXPECT_EQ(readFrame(client), syncFrame("ok", ""));
}

TEST_F(SyncServerTest, ListsEachTableByItsContentAndServesALargeOneInPieces) {
  std::string large(2 * kSyncMaxPiece + 10, 'x');
  large[kSyncMaxPiece] = 'y';
  ASSERT_TRUE(writeWholeFile(folder.file("020205tb.tmp"), large));
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  EXPECT_EQ(ask(client, syncFrame("LS")), syncFrame("ok", kListed.substr(0, 4) + entry(tagOf(large), 2, 2, 5) +
                                                            kListed.substr(4)));
  ASSERT_TRUE(writeWholeFile(folder.file("010105tb.tmp"), "new year's eve"));
  EXPECT_NE(ask(client, syncFrame("LS")).substr(4, 4), kListed.substr(0, 4));

  const std::string head = encodeSyncWord(static_cast<std::uint32_t>(large.size())) +
                           encodeSyncWord(syncContentVersion(large));
  const auto piece = [&](std::uint32_t offset) {
    return ask(client, syncFrame("GP", entry(0, 2, 2, 5) + encodeSyncWord(offset)));
  };
  EXPECT_EQ(piece(kSyncMaxPiece), syncFrame("ok", head + large.substr(kSyncMaxPiece, kSyncMaxPiece)));
  EXPECT_EQ(piece(2 * kSyncMaxPiece), syncFrame("ok", head + std::string(10, 'x')));
  EXPECT_EQ(piece(static_cast<std::uint32_t>(large.size())), syncFrame("ok", head));
  EXPECT_EQ(piece(static_cast<std::uint32_t>(large.size()) + 1), syncFrame("ng"));
  EXPECT_EQ(ask(client, syncFrame("GP", entry(0, 2, 2, 9) + encodeSyncWord(0))), syncFrame("ng"));  // missing
  EXPECT_EQ(ask(client, syncFrame("GP", entry(0, 2, 2, 5))).substr(0, 2), "ng");  // no offset: unreadable
}

TEST_F(SyncServerTest, RequestsMayArriveByteByByte) {
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  std::string requests = syncFrame("LS") + syncFrame("GE", entry('t', 1, 1, 5));
  for (char byte : requests) {
    ASSERT_EQ(client.write(&byte, 1), 1);
    std::this_thread::yield();
  }
  EXPECT_EQ(readFrame(client), syncFrame("ok", kListed));
  EXPECT_EQ(readFrame(client), syncFrame("ok", "new year"));
}

TEST_F(SyncServerTest, UnreadableRequestsAreRefusedAndTheConnectionEnds) {
  const std::string badRequest("\x95\x73\x90\xb3\x82\xc8\x97\x76\x8b\x81", 11);  // 不正な要求
  for (const std::string& request :
       {syncFrame("XX"), syncFrame("LS", "x"), syncFrame("GE", "abc"), syncFrame("ge", entry(0, 1, 1, 5))}) {
    TcpSocket client(3000);
    ASSERT_TRUE(connect(client));
    EXPECT_EQ(ask(client, request), syncFrame("ng", badRequest)) << request;
    EXPECT_TRUE(peerClosed(client));
  }
}

TEST_F(SyncServerTest, EmptyFolderGivesAnEmptyListAndEndsTheConnection) {
  for (const char* name : {"010105tb.tmp", "123125tb.tmp"}) std::filesystem::remove(folder.file(name));
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  EXPECT_EQ(ask(client, syncFrame("LS")), syncFrame("ok"));
  EXPECT_TRUE(peerClosed(client));
}

TEST_F(SyncServerTest, MissingFolderRefusesTheListWithAText) {
  TempFolder other;
  SyncServer gone(other.file("gone") + "/");
  ASSERT_TRUE(gone.listen("127.0.0.1", 0));
  std::thread thread([&] { gone.serve(); });
  TcpSocket client(3000);
  ASSERT_EQ(client.openAndConnect("127.0.0.1", gone.port()), 1);
  std::string cannotList("\x88\xea\x97\x97\x82\xf0\x8d\xec\x82\xea\x82\xdc\x82\xb9\x82\xf1", 17);
  std::string request = syncFrame("LS");
  client.write(request.data(), 4);
  EXPECT_EQ(readFrame(client), syncFrame("ng", cannotList));
  gone.stop();
  thread.join();
}

TEST_F(SyncServerTest, ServesAnotherClientWhileOneIsIdle) {
  TcpSocket idle(3000);
  ASSERT_TRUE(connect(idle));
  TcpSocket busy(3000);
  ASSERT_TRUE(connect(busy));
  EXPECT_EQ(ask(busy, syncFrame("GE", entry('t', 1, 1, 5))), syncFrame("ok", "new year"));
  EXPECT_EQ(ask(idle, syncFrame("GE", entry('t', 1, 1, 5))), syncFrame("ok", "new year"));
}

TEST_F(SyncServerTest, ServesOnlyRegularFilesAndFollowsNoLink) {
  TempFolder outside;
  ASSERT_TRUE(writeWholeFile(outside.file("secret"), "not yours"));
  std::error_code failed;
  std::filesystem::create_symlink(outside.file("secret"), folder.file("010109tb.tmp"), failed);
  if (failed) GTEST_SKIP() << "no symbolic links here";
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  EXPECT_EQ(ask(client, syncFrame("LS")), syncFrame("ok", kListed));
  EXPECT_EQ(ask(client, syncFrame("GE", entry('t', 1, 1, 9))), syncFrame("ng"));
}

TEST_F(SyncServerTest, ARequestHasADeadlineOfItsOwnHoweverOftenBytesCome) {
  TcpSocket client(3000);
  ASSERT_TRUE(connect(client));
  // The request's clock starts once the server has taken the connection.
  std::uint64_t giveUp = os::tickMilliseconds() + 3000;
  while (server.connectionCount() == 0 && os::tickMilliseconds() < giveUp) os::sleepMilliseconds(5);
  // One byte per 3 s: each gap is within the 5 s limit, the request as a
  // whole is not.
  for (char byte : std::string("LS", 2)) {
    clockNow += 3000;
    ASSERT_EQ(client.write(&byte, 1), 1);
  }
  EXPECT_TRUE(peerEnded(client, 3000));
}

TEST_F(SyncServerTest, SixteenBadClientsDoNotKeepARealClientOut) {
  ASSERT_TRUE(writeWholeFile(folder.file("020205tb.tmp"), std::string(65535, 'a')));
  std::string manyGets;
  for (int i = 0; i < 300; ++i) manyGets += syncFrame("GE", entry('t', 2, 2, 5));
  const std::string kinds[] = {"", "L", manyGets};  // silent, stuck half-way, never reading
  for (const std::string& sent : kinds) {
    std::vector<std::unique_ptr<TcpSocket>> bad;
    for (int i = 0; i < server.limits().maxConnections; ++i) {
      bad.push_back(std::make_unique<TcpSocket>(3000));
      ASSERT_TRUE(connect(*bad.back()));
      int length = static_cast<int>(sent.size());
      if (length > 0) {
        ASSERT_EQ(bad.back()->write(sent.data(), length), length);
      }
    }
    TcpSocket real(3000);
    ASSERT_TRUE(connect(real));
    EXPECT_EQ(ask(real, syncFrame("GE", entry('t', 1, 1, 5))), syncFrame("ok", "new year"))
        << "after clients sending " << sent.size() << " bytes";
  }
}

TEST(SyncServerSendTest, AReplyTheClientDoesNotTakeEndsTheConnectionInTime) {
  TempFolder folder;
  ASSERT_TRUE(writeWholeFile(folder.file("020205tb.tmp"), std::string(65535, 'a')));
  SyncServerLimits limits;
  limits.sendMilliseconds = 200;
  SyncServer server(folder.path(), limits);
  ASSERT_TRUE(server.listen("127.0.0.1", 0));
  std::thread serving([&] { server.serve(); });
  TcpSocket reader(3000);
  ASSERT_EQ(reader.openAndConnect("127.0.0.1", server.port()), 1);
  std::string manyGets;
  for (int i = 0; i < 300; ++i) manyGets += syncFrame("GE", entry('t', 2, 2, 5));
  ASSERT_EQ(reader.write(manyGets.data(), static_cast<int>(manyGets.size())), static_cast<int>(manyGets.size()));
  // Never read: the server's send stalls once the buffers are full.
  auto waitForCount = [&](int count) {
    std::uint64_t giveUp = os::tickMilliseconds() + 5000;
    while (server.connectionCount() != count && os::tickMilliseconds() < giveUp) os::sleepMilliseconds(10);
    return server.connectionCount() == count;
  };
  EXPECT_TRUE(waitForCount(1));
  EXPECT_TRUE(waitForCount(0));
  server.stop();
  serving.join();
}

TEST_F(SyncServerTest, StopEndsIdleConnections) {
  TcpSocket idle(3000);
  ASSERT_TRUE(connect(idle));
  EXPECT_EQ(ask(idle, syncFrame("GE", entry('t', 1, 1, 5))), syncFrame("ok", "new year"));
  server.stop();
  serving.join();
  EXPECT_TRUE(peerClosed(idle));
  serving = std::thread([] {});
}

}  // namespace
