// Our sync client against our sync server on 127.0.0.1: the client's cache
// ends up mirroring the server's table files.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "sync/sync_client.h"
#include "sync/sync_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tests/sync/sync_texts.h"

namespace {

// One household member: a settings store pointing at its own cache folder.
struct SyncingMachine {
  explicit SyncingMachine(int port, const std::string& host = "127.0.0.1") {
    settings.setString("_config", "directory", folder.path());
    settings.setSyncServer(host);
    settings.setSyncPort(port);
    cache.setSettings(settings);
  }
  int sync(RecordingProgress& progress) {
    SyncClient client(cache);
    client.setReadTimeout(3000);  // an empty list must not make it wait
    return client.run(progress);
  }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache;
};

class SyncInteropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 12; ++i) {
      tables[i] = std::string(static_cast<std::size_t>(i * 5000), static_cast<char>('a' + i));
      ASSERT_TRUE(writeWholeFile(serverFolder.file(name(i)), tables[i]));
    }
    ASSERT_TRUE(writeWholeFile(serverFolder.file("120105tb.htm"), "<html>"));
    ASSERT_TRUE(server.listen("127.0.0.1", 0));
    serving = std::thread([this] { server.serve(); });
  }
  void TearDown() override {
    server.stop();
    serving.join();
  }

  // Two days of six slots: 12/01 and 12/02.
  static std::string name(int i) {
    static const int kHours[6] = {5, 9, 13, 17, 21, 25};
    char text[16];
    std::snprintf(text, sizeof text, "12%02d%02dtb.tmp", 1 + i / 6, kHours[i % 6]);
    return text;
  }
  void expectMirror(SyncingMachine& machine) {
    CacheFileList expected;
    for (int i = 0; i < 12; ++i) {
      expected.insert(name(i));
      EXPECT_EQ(readWholeFile(machine.folder.file(name(i))), tables[i]) << name(i);
    }
    EXPECT_EQ(machine.cache.listCacheFiles(), expected);
  }

  TempFolder serverFolder;
  std::string tables[12];
  SyncServer server{serverFolder.path()};
  std::thread serving;
};

TEST_F(SyncInteropTest, ClientMirrorsTheServerAndASecondRunFetchesNothing) {
  SyncingMachine machine(server.port());
  ASSERT_TRUE(writeWholeFile(machine.folder.file("120105tb.tmp"), tables[0]));
  ASSERT_TRUE(writeWholeFile(machine.folder.file("113025tb.tmp"), "yesterday"));
  ASSERT_TRUE(writeWholeFile(machine.folder.file("120109tb.htm"), "<html>"));

  RecordingProgress first;
  EXPECT_EQ(machine.sync(first), 2);
  expectMirror(machine);
  EXPECT_EQ(first.calls[3], "total 11");
  EXPECT_EQ(first.calls[4], "file 12/01 09:00-");

  RecordingProgress second;
  EXPECT_EQ(machine.sync(second), 0);
  EXPECT_EQ(second.calls[3], "total 0");
  expectMirror(machine);
}

TEST_F(SyncInteropTest, ATableChangedOnTheServerIsFetchedAgainAndALargeOneWhole) {
  SyncingMachine machine(server.port());
  RecordingProgress first;
  ASSERT_EQ(machine.sync(first), 0);
  // Refreshed: one table changed, one written again as it was; a slot of
  // two hundred services.
  tables[3] += "moved";
  tables[4] = std::string(200000, 'w');
  tables[4][123456] = 'v';
  ASSERT_TRUE(writeWholeFile(serverFolder.file(name(3)), tables[3]));
  ASSERT_TRUE(writeWholeFile(serverFolder.file(name(4)), tables[4]));
  ASSERT_TRUE(writeWholeFile(serverFolder.file(name(5)), tables[5]));

  RecordingProgress second;
  EXPECT_EQ(machine.sync(second), 0);
  EXPECT_EQ(second.calls[3], "total 2");
  expectMirror(machine);
}

TEST_F(SyncInteropTest, TheClientReachesAServerOnIPv6) {
  std::string canonical;
  if (!os::ipv6Address("::1", canonical)) GTEST_SKIP() << "no IPv6 here";
  SyncServer v6Server(serverFolder.path());
  if (!v6Server.listen("::1", 0)) GTEST_SKIP() << "::1 cannot be bound here";
  std::thread v6Serving([&] { v6Server.serve(); });
  for (const char* host : {"::1", "[::1]"}) {
    SyncingMachine machine(v6Server.port(), host);
    RecordingProgress progress;
    EXPECT_EQ(machine.sync(progress), 0) << host;
    expectMirror(machine);
  }
  v6Server.stop();
  v6Serving.join();
}

TEST_F(SyncInteropTest, SeveralClientsSyncAtOnce) {
  std::vector<std::unique_ptr<SyncingMachine>> machines;
  for (int i = 0; i < 4; ++i) machines.push_back(std::make_unique<SyncingMachine>(server.port()));
  std::vector<std::thread> runs;
  int results[4] = {-9, -9, -9, -9};
  for (int i = 0; i < 4; ++i) {
    runs.emplace_back([&, i] {
      RecordingProgress progress;
      results[i] = machines[i]->sync(progress);
    });
  }
  for (std::thread& run : runs) run.join();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(results[i], 0);
    expectMirror(*machines[i]);
  }
}

TEST_F(SyncInteropTest, EmptyServerEmptiesTheCacheWithoutWaiting) {
  for (int i = 0; i < 12; ++i) os::removeFile(serverFolder.file(name(i)));
  SyncingMachine machine(server.port());
  ASSERT_TRUE(writeWholeFile(machine.folder.file("120105tb.tmp"), "old"));
  RecordingProgress progress;
  EXPECT_EQ(machine.sync(progress), 1);
  EXPECT_TRUE(machine.cache.listCacheFiles().empty());
  EXPECT_EQ(progress.calls.back(), "file 120105tb.tmp");
}

TEST_F(SyncInteropTest, ARunWithTheProgramsTimeOutUsesTheSettings) {
  SyncingMachine machine(server.port());
  RecordingProgress progress;
  EXPECT_EQ(SyncClient(machine.cache).run(progress), 0);
  expectMirror(machine);
  EXPECT_EQ(progress.calls[0], "status " + sync_texts::kConnecting);
}

}  // namespace
