// The recorder from the command line: `reserve` and `watch check --reserve`
// against the stand-in of its API, refusals said and only what the
// recorder holds remembered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli.h"
#include "config/settings_store.h"
#include "recorder/recorder_client.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recorder_double.h"
#include "tests/support/temp_folder.h"

namespace {

// An episode on one channel and its re-air on another the next day, then
// the next episode: channel ids as a tuner server's XMLTV writes them.
const char kSeries[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<tv>
  <channel id="3273601024"><display-name>One</display-name></channel>
  <channel id="400211"><display-name>BS Two</display-name></channel>
  <programme start="20261208200000 +0900" stop="20261208210000 +0900" channel="3273601024">
    <title>Drama Sea #3</title>
  </programme>
  <programme start="20261208203000 +0900" stop="20261208213000 +0900" channel="400211">
    <title>News</title>
  </programme>
  <programme start="20261209200000 +0900" stop="20261209210000 +0900" channel="400211">
    <title>Drama Sea #3[再]</title>
  </programme>
  <programme start="20261209210000 +0900" stop="20261209220000 +0900" channel="3273601024">
    <title>Drama Sea #4</title>
  </programme>
</tv>
)";

class ReserveVerbTest : public ::testing::Test {
 protected:
  ReserveVerbTest() {
    writeWholeFile(folder.file("guide.xml"), kSeries);
    writeWholeFile(ini, "[_config]\r\ndirectory=" + folder.file("cache") + "\r\nxmltvsource=" + folder.file("guide.xml") +
                            "\r\nrecorder=" + recorder.url() + "\r\n");
    EXPECT_EQ("0|result 12\n|", run({"--quiet", "crawl", "--days", "2", "--now", "2026-12-08 12:00"}));
  }
  // The exit code, stdout and stderr.
  std::string run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--ini", ini});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int code = runCli(args);
    const std::string out = ::testing::internal::GetCapturedStdout();
    return std::to_string(code) + "|" + out + "|" + ::testing::internal::GetCapturedStderr();
  }

  TempFolder folder;
  RecorderDouble recorder;
  std::string ini = folder.file("Rokuban.ini");
};

TEST_F(ReserveVerbTest, AddsListsAndCancelsSayingEachRefusal) {
  EXPECT_EQ("0|reserved #1: 12/08(\xE7\x81\xAB) 20:00-21:00 One Drama Sea #3\n|",
            run({"reserve", "add", "--channel", "On", "--start", "2026-12-08T20:00"}));
  EXPECT_EQ("POST /api/reserves {\"allowEndLack\": true, \"timeSpecifiedOption\": {\"name\": \"Drama Sea #3\", "
            "\"channelId\": 3273601024, \"startAt\": 1796727600000, \"endAt\": 1796731200000}}",
            recorder.requests().back());
  EXPECT_EQ("0|already reserved #1: 12/08(\xE7\x81\xAB) 20:00-21:00 One Drama Sea #3\n|",
            run({"reserve", "add", "--channel", "One", "--start", "2026-12-08T20:00"}));
  const std::string conflict = run({"reserve", "add", "--channel", "BS Two", "--start", "2026-12-08T20:30"});
  EXPECT_EQ(0u, conflict.find("1||rokuban-cli: reserve: 12/08(\xE7\x81\xAB) 20:30-21:30 BS Two News: refused: it "
                              "conflicts with other reserves (HTTP 500 ReservationManageModelAddReserveConflict"))
      << conflict;
  EXPECT_NE(std::string::npos, conflict.find("; conflicts with #1 12/08 20:00-21:00 One Drama Sea #3\n"));
  EXPECT_EQ("0|#1 12/08 20:00-21:00 One Drama Sea #3\n|", run({"reserve", "list"}));
  EXPECT_NE(std::string::npos, run({"reserve", "list", "--json"}).find("\"channel\": \"One\", \"start\": "
                                                                        "\"2026-12-08T20:00:00+09:00\""));
  EXPECT_EQ("0|cancelled #1\n|", run({"reserve", "cancel", "1"}));
  EXPECT_EQ("1||rokuban-cli: reserve: #1: no such reserve (HTTP 500 ReservationIsNotFound: ReservationIsNotFound)\n",
            run({"reserve", "cancel", "1"}));
  EXPECT_EQ(0u, run({"reserve", "add", "--channel", "One", "--start", "2026-12-08T20:30"})
                    .find("1||rokuban-cli: reserve: no programme of One starts at 2026-12-08T20:30"));
  EXPECT_EQ(0u, run({"reserve", "forget"}).find("2||usage:"));
  EXPECT_EQ(0u, run({"reserve", "add", "--channel", "One", "--start", "2026-12-08T20:0"}).find("2||"));
}

TEST_F(ReserveVerbTest, WatchCheckReservesEachEpisodeOnceAndOnlyWhatTheRecorderHolds) {
  ASSERT_EQ(0u, run({"--quiet", "watch", "add", "--reserve", "--once", "Sea"}).find("0|"));
  const std::vector<std::string> now = {"--now", "2026-12-08 12:00"};
  auto check = [&]() {
    std::vector<std::string> args = {"watch", "check", "--reserve"};
    args.insert(args.end(), now.begin(), now.end());
    return run(args);
  };
  // The third episode reserved by hand before: held already, said so.
  ASSERT_EQ(0u, run({"reserve", "add", "--channel", "One", "--start", "2026-12-08T20:00"}).find("0|"));
  const std::string first = check();
  EXPECT_NE(std::string::npos,
            first.find("rokuban-cli: watch: already reserved #1: 12/08(\xE7\x81\xAB) 20:00-21:00 One Drama Sea #3\n"));
  EXPECT_NE(std::string::npos, first.find("rokuban-cli: watch: reserved 12/09(\xE6\xB0\xB4) 21:00-22:00 One Drama Sea #4\n"));
  ASSERT_EQ(2u, recorder.reserves().size());  // the re-air on BS Two is not reserved
  EXPECT_EQ(3273601024LL, recorder.reserves()[0].channelId);
  check();
  EXPECT_EQ(2u, recorder.reserves().size());  // remembered: not asked again

  // The fourth episode put back half an hour: the recorder's to follow,
  // never reserved a second time; said whether it did.
  std::string moved = kSeries;
  const std::string fourth = "20261209210000 +0900\" stop=\"20261209220000";
  moved.replace(moved.find(fourth), fourth.size(), "20261209213000 +0900\" stop=\"20261209223000");
  writeWholeFile(folder.file("guide.xml"), moved);
  const std::string crawled = run({"--quiet", "crawl", "--days", "2", "--now", "2026-12-08 12:00"});
  EXPECT_EQ(0u, crawled.find("0|")) << crawled;
  const std::string lost = check();
  EXPECT_NE(std::string::npos, lost.find("rokuban-cli: watch: moved Drama Sea #4 (now 2026-12-09T21:30:00+09:00): "
                                         "the recorder lost it")) << lost;
  EXPECT_EQ(2u, recorder.reserves().size());
  FakeClock clock;
  RecorderClient client(recorder.url(), clock);
  ReserveRequest following;
  following.channelId = 3273601024LL;
  following.name = "Drama Sea #4";
  following.startAt = 1796819400000LL;  // 12/09 21:30
  following.endAt = following.startAt + 3600000;
  // As the recorder does on its next guide update: the reserve moves along.
  ASSERT_EQ(RecorderOutcome::Done, client.cancel(recorder.reserves()[1].id).outcome);
  ASSERT_EQ(RecorderOutcome::Done, client.add(following).outcome);
  const std::string followed = check();
  EXPECT_NE(std::string::npos, followed.find("Drama Sea #4 (now 2026-12-09T21:30:00+09:00): the recorder followed the move: "
                                            "#3 12/09 21:30-22:30 One Drama Sea #4\n")) << followed;

  // A recorder gone: said, and nothing remembered for the next check.
  ASSERT_EQ(0u, run({"--quiet", "watch", "add", "--reserve", "--channel", "BS Two", "Sea"}).find("0|"));
  recorder.die();
  const std::string gone = check();
  EXPECT_EQ(0u, gone.find("1|")) << gone;
  EXPECT_NE(std::string::npos, gone.find("Drama Sea #3[\xE5\x86\x8D]: the recorder cannot be reached")) << gone;
  SettingsStore settings;
  settings.load(ini);
  EXPECT_EQ(3u, settings.section("watchreserved").size());  // the moved one under both its times
  writeWholeFile(ini, "[_config]\r\ndirectory=" + folder.file("cache") + "\r\n");
  EXPECT_EQ(0u, run({"watch", "check", "--reserve"}).find("2||rokuban-cli: watch: check --reserve needs the setting recorder"));
}

}  // namespace
