// The download job's construction from the settings, and the retry loop
// with its countdown, waited out on a fake clock.
#include "net/download_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/download_server_settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/loopback_listener.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"

namespace {
const int kReadTimeout = 2000;  // a loaded machine still answers within it
const char kConnecting[] = "\x90\xda\x91\xb1\x92\x86\x81\x63";
const char kConnectFailed[] = "\x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49";
const char kInterrupted[] = "\x92\x86\x92\x66\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd";

std::string retryIn(int seconds) {
  // リトライまで%d秒…
  return "\x83\x8a\x83\x67\x83\x89\x83\x43\x82\xdc\x82\xc5" + std::to_string(seconds) +
         "\x95\x62\x81\x63";
}

// A port nobody listens on any more.
int closedPort() {
  LoopbackListener gone;
  return gone.port();
}
}  // namespace

TEST(DownloadJobSettingsTest, SendsTheStoredCookieOnlyForAPersonalTable) {
  SettingsStore settings;
  settings.setString("_config", "server", "tv.example");
  settings.setArea("tokyo");
  settings.setCookie("session=1");
  {
    DownloadJob job(downloadServerOf(settings));
    EXPECT_EQ(job.client().requestHeaders().count("cookie"), 0u);
  }
  settings.setArea("_3");
  settings.setCookie("");
  DownloadJob job(downloadServerOf(settings));
  EXPECT_EQ(job.client().buildRequest("/x"),
            "GET /x HTTP/1.0\r\ncookie: \r\nhost: tv.example\r\n\r\n");
}

TEST(DownloadJobSettingsTest, TakesProxyAndCredentialsFromTheSettings) {
  SettingsStore settings;
  settings.setString("_config", "server", "tv.example");
  settings.setInt("_config", "port", 8080);
  settings.setProxyServer("proxy.example");
  settings.setProxyPort(3128);
  settings.setProxyPass("secret");
  DownloadJob job(downloadServerOf(settings));
  EXPECT_EQ(job.client().buildRequest("/x"),
            "GET http://tv.example:8080/x HTTP/1.0\r\nhost: tv.example:8080\r\n"
            "proxy-authorization: Basic OnNlY3JldA==\r\n\r\n");
}

TEST(DownloadJobServerTest, EveryRequestCarriesTheServersHeaders) {
  DownloadServer server;
  server.server = "tv.example";
  server.headers["cookie"] = "a=1";
  server.headers["x-token"] = "t";
  DownloadJob job(server);
  EXPECT_EQ(job.client().buildRequest("/x"),
            "GET /x HTTP/1.0\r\ncookie: a=1\r\nhost: tv.example\r\nx-token: t\r\n\r\n");
}

class FetchWithRetryTest : public ::testing::Test {
 protected:
  FetchWithRetryTest() { settings.setString("_config", "server", "127.0.0.1"); }
  void useServer(int port) { settings.setInt("_config", "port", port); }
  bool fetch() {
    DownloadJob job(downloadServerOf(settings), clock);
    job.client().setReadTimeout(kReadTimeout);
    return job.fetchWithRetry(progress, "/p", folder.file("p"));
  }

  SettingsStore settings;
  FakeClock clock;
  RecordingProgress progress;
  TempFolder folder;
};

TEST_F(FetchWithRetryTest, TriesThreeTimesThirtySecondsApart) {
  useServer(closedPort());
  EXPECT_FALSE(fetch());
  std::vector<std::string> expected;
  for (int attempt = 1; attempt <= 3; ++attempt) {
    expected.push_back(std::string("status ") + kConnecting);
    expected.push_back(std::string("error ") + kConnectFailed);
    if (attempt == 3) break;
    for (int n = 30; n >= 1; --n) expected.push_back("status " + retryIn(n));
  }
  EXPECT_EQ(progress.calls, expected);
  EXPECT_EQ(clock.sleeps, std::vector<int>(60, 1000));
}

TEST_F(FetchWithRetryTest, StopsAtTheFirstSuccess) {
  LoopbackHttpServer server;
  useServer(server.port());
  server.reply(httpResponse("HTTP/1.0 500 Internal Server Error", {}, ""));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"));
  EXPECT_TRUE(fetch());
  EXPECT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(clock.sleeps.size(), 30u);
  EXPECT_EQ(readWholeFile(folder.file("p")), "ok");
}

TEST_F(FetchWithRetryTest, ACancelDuringTheCountdownEndsIt) {
  useServer(closedPort());
  progress.cancelAt = 5;  // connecting, failure, 30 s, 29 s, then 28 s refused
  EXPECT_FALSE(fetch());
  ASSERT_EQ(progress.calls.size(), 6u);
  EXPECT_EQ(progress.calls[4], "status " + retryIn(28));
  EXPECT_EQ(progress.calls[5], std::string("error ") + kInterrupted);
  EXPECT_EQ(clock.sleeps.size(), 2u);
}

TEST_F(FetchWithRetryTest, ACancelBeforeConnectingSendsNothing) {
  LoopbackHttpServer server;
  useServer(server.port());
  progress.cancelAt = 1;
  EXPECT_FALSE(fetch());
  EXPECT_TRUE(server.requests().empty());
  EXPECT_TRUE(clock.sleeps.empty());
}
