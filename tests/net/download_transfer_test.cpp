// Whole transfers of the download job against scripted HTTP servers and a
// proxy on 127.0.0.1, asserting on the exact request bytes they received.
#include "net/download_job.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/download_server_settings.h"
#include "tests/support/loopback_http_proxy.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"

namespace {
// Long enough for a loaded machine to answer; only the silent server waits it out.
const int kReadTimeout = 2000;
const int kSilentTimeout = 300;
const char kConnectFailed[] = "\x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49";
const char kReceiveFailed[] = "\x8e\xf3\x90\x4d\x8e\xb8\x94\x73\x81\x49";
const char kReceiving[] = "\x8e\xf3\x90\x4d\x92\x86\x81\x63";
const char kResume[] = "\x83\x8c\x83\x57\x83\x85\x81\x5b\x83\x80\x81\x49";
const char kSaveFailed[] = "\x95\xdb\x91\xb6\x8e\xb8\x94\x73\x81\x49";
const std::string kTooLarge =
    "\x83\x79\x81\x5b\x83\x57\x82\xaa" "16MB" "\x82\xf0\x92\xb4\x82\xa6\x82\xdc\x82\xb5\x82\xbd\x81\x49";

std::string directRequest(const std::string& path, int port) {
  return "GET " + path + " HTTP/1.0\r\nContent-Length: 0\r\nhost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n";
}

std::string pageBody(int length) {
  std::string body;
  for (int i = 0; i < length; ++i) body += static_cast<char>('a' + i % 26);
  return body;
}

int count(const std::vector<std::string>& calls, const std::string& call) {
  int n = 0;
  for (const std::string& c : calls) n += c == call;
  return n;
}

std::vector<std::string> errors(const std::vector<std::string>& calls) {
  std::vector<std::string> found;
  for (const std::string& c : calls)
    if (c.compare(0, 6, "error ") == 0) found.push_back(c.substr(6));
  return found;
}

class DownloadTransferTest : public ::testing::Test {
 protected:
  DownloadTransferTest() {
    settings.setString("_config", "server", "127.0.0.1");
    settings.setInt("_config", "port", server.port());
  }
  // A job on these settings whose sockets give up after kReadTimeout.
  DownloadJob& job() {
    if (!job_) {
      job_.reset(new DownloadJob(downloadServerOf(settings)));
      job_->client().setReadTimeout(kReadTimeout);
    }
    return *job_;
  }
  void endJob() { job_.reset(); }
  std::string page() const { return folder.file("010521tb.htm"); }

  LoopbackHttpServer server;
  SettingsStore settings;
  TempFolder folder;
  RecordingProgress progress;

 private:
  std::unique_ptr<DownloadJob> job_;
};
}  // namespace

TEST_F(DownloadTransferTest, DirectGetWritesTheBodyIntoThePageFile) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 5"}, "hello"));
  EXPECT_TRUE(job().fetch(progress, "/tables/0105/GBS/tokyo/21.html", page()));
  EXPECT_EQ(server.requests(),
            std::vector<std::string>{directRequest("/tables/0105/GBS/tokyo/21.html", server.port())});
  EXPECT_EQ(readWholeFile(page()), "hello");
  EXPECT_EQ(progress.calls,
            (std::vector<std::string>{"bytes 5", std::string("status ") + kReceiving}));
  EXPECT_EQ(progress.bytes, 5);
}

TEST_F(DownloadTransferTest, ResumesABrokenBodyWithTheRunningTotal) {
  std::string body = pageBody(5000);
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 5000", "ETag: \"v1\""},
                            body.substr(0, 1000)));
  server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 4000"},
                            body.substr(1000, 500)));
  server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 3500"},
                            body.substr(1500)));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  std::vector<std::string> requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0], directRequest("/p", server.port()));
  EXPECT_EQ(requests[1],
            "GET /p HTTP/1.0\r\nContent-Length: 0\r\netag: \"v1\"\r\n"
            "host: 127.0.0.1:" + std::to_string(server.port()) + "\r\nrange: bytes=1000-\r\n\r\n");
  EXPECT_EQ(requests[2],
            "GET /p HTTP/1.0\r\nContent-Length: 0\r\netag: \r\n"
            "host: 127.0.0.1:" + std::to_string(server.port()) + "\r\nrange: bytes=1500-\r\n\r\n");
  EXPECT_EQ(readWholeFile(page()), body);
  EXPECT_EQ(count(progress.calls, std::string("status ") + kResume), 2);
  EXPECT_EQ(count(progress.calls, "bytes 5000"), 1);  // progress not restarted

  // The next transfer asks for the whole resource again.
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"));
  EXPECT_TRUE(job().fetch(progress, "/q", page()));
  EXPECT_EQ(server.requests().back(), directRequest("/q", server.port()));
  EXPECT_EQ(readWholeFile(page()), "ok");
}

TEST_F(DownloadTransferTest, AWholePageAnsweringAResumeRestartsTheFile) {
  std::string body = pageBody(10);
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, body.substr(0, 4)));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, body.substr(0, 7)));
  server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 3"},
                            body.substr(7)));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  std::vector<std::string> requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[1].find("range: bytes=4-\r\n"), std::string::npos);
  // The second answer restarted the body, so the count restarted with it.
  EXPECT_NE(requests[2].find("range: bytes=7-\r\n"), std::string::npos);
  EXPECT_EQ(readWholeFile(page()), body);
}

namespace {
// Records each whole body it is told of, and whether its file was made yet.
class BodyRecorder : public PageBodyListener {
 public:
  explicit BodyRecorder(std::string path) : path_(std::move(path)) {}
  void onPageBody(const std::string& body) override {
    bodies.push_back(body);
    fileMadeBefore.push_back(isFile(path_));
  }
  std::vector<std::string> bodies;
  std::vector<bool> fileMadeBefore;

 private:
  std::string path_;
};
}  // namespace

TEST_F(DownloadTransferTest, AListenerGetsTheWholeBodyOnceBeforeItsFileIsMade) {
  std::string body = pageBody(10);
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, body.substr(0, 4)));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, body.substr(0, 7)));
  server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 3"}, body.substr(7)));
  BodyRecorder recorder(page());
  job().setBodyListener(&recorder);
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(recorder.bodies, std::vector<std::string>{body});  // the restart dropped the first bytes
  EXPECT_EQ(recorder.fileMadeBefore, std::vector<bool>{false});
  EXPECT_EQ(readWholeFile(page()), body);
}

TEST_F(DownloadTransferTest, TheFifthShortBodyEndsTheTransferAndDropsItsFile) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 100"}, pageBody(10)));
  for (int i = 0; i < 4; ++i)
    server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 90"},
                              pageBody(10)));
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  std::vector<std::string> requests = server.requests();
  ASSERT_EQ(requests.size(), 5u);
  for (int i = 1; i < 5; ++i)
    EXPECT_NE(requests[i].find("range: bytes=" + std::to_string(10 * i) + "-\r\n"),
              std::string::npos);
  EXPECT_EQ(count(progress.calls, std::string("status ") + kResume), 5);
  EXPECT_TRUE(errors(progress.calls).empty());
  EXPECT_FALSE(isFile(page()));

  // The next transfer of the job starts a fresh file with nothing stale in front.
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 3"}, "new"));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(server.requests().back(), directRequest("/p", server.port()));
  EXPECT_EQ(readWholeFile(page()), "new");
}

TEST_F(DownloadTransferTest, ARefusedStatusOnAResumeDropsThePartialPage) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, "12345"));
  server.reply(httpResponse("HTTP/1.0 503 Service Unavailable", {}, ""));
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{"Service Unavailable"});
  EXPECT_FALSE(isFile(page()));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, "abcdefghij"));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(readWholeFile(page()), "abcdefghij");
}

TEST_F(DownloadTransferTest, NotFoundIsRefusedWithItsReasonAndLeavesNoFile) {
  server.reply(httpResponse("HTTP/1.0 404 Not Found", {"Content-Length: 9"}, "not here!"));
  EXPECT_FALSE(job().fetch(progress, "/missing", page()));
  EXPECT_EQ(progress.calls, std::vector<std::string>{"error Not Found"});
  // The command line names the URL and the status.
  EXPECT_EQ(progress.failures,
            std::vector<std::string>{"http://127.0.0.1:" + std::to_string(server.port()) + "/missing: 404 Not Found"});
  EXPECT_EQ(job().client().status(), 404);
  EXPECT_FALSE(isFile(page()));
}

TEST_F(DownloadTransferTest, ABodyWithoutLengthIsReadToTheEnd) {
  server.reply(httpResponse("HTTP/1.1 200 OK", {"Server: loopback"}, "abc\r\ndef"));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(progress.calls.front(), "bytes -1");
  EXPECT_EQ(readWholeFile(page()), "abc\r\ndef");
}

TEST_F(DownloadTransferTest, BytesPastTheAnnouncedLengthAreNotTaken) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 3"}, "abcEXTRA"));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 0"}, "junk"));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(readWholeFile(page()), "abc");
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(readWholeFile(page()), "");
  EXPECT_EQ(progress.bytes, 3);
}

TEST_F(DownloadTransferTest, ASilentServerHitsTheReadTimeOut) {
  server.staySilent();
  job().client().setReadTimeout(kSilentTimeout);
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kReceiveFailed});
  EXPECT_LT(waited, std::chrono::seconds(3));
  EXPECT_EQ(server.requests(), std::vector<std::string>{directRequest("/p", server.port())});
}

TEST_F(DownloadTransferTest, ABrokenHeadIsAReceiveFailure) {
  server.reply("HTTP/1.0 200\r\n\r\nbody");
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kReceiveFailed});
  EXPECT_FALSE(isFile(page()));
}

TEST_F(DownloadTransferTest, AResumeThatCannotConnectLeavesNoPartialFile) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 100"}, pageBody(40)));
  server.refuseAfterScript();
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kConnectFailed});
  EXPECT_FALSE(isFile(page()));

  LoopbackHttpServer second;
  second.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 5"}, "fresh"));
  job().client().setServer("127.0.0.1", second.port());
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(second.requests(), std::vector<std::string>{directRequest("/p", second.port())});
  EXPECT_EQ(readWholeFile(page()), "fresh");
}

TEST_F(DownloadTransferTest, AServerNameThatDoesNotResolveIsAConnectFailure) {
  job().client().setServer(std::string(64, 'a') + ".invalid", server.port());  // no query leaves
  EXPECT_FALSE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kConnectFailed});
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(DownloadTransferTest, ATransferWithoutPageFileOnlyCountsBytes) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 4"}, "body"));
  EXPECT_TRUE(job().fetch(progress, "/cgi-bin/signin.cgi?id1=a&id2=b&passwd=c", ""));
  EXPECT_EQ(progress.bytes, 4);
  endJob();
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(DownloadTransferTest, TheByteTotalIsAnnouncedOncePerBodyAndAnewForAWholePage) {
  // Without a page file (the sign-in) a 206 answer carries the body on.
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, "0123"));
  server.reply(httpResponse("HTTP/1.0 206 Partial Content", {"Content-Length: 6"}, "456789"));
  EXPECT_TRUE(job().fetch(progress, "/signin", ""));
  EXPECT_EQ(count(progress.calls, "bytes 10"), 1);
  EXPECT_EQ(count(progress.calls, "bytes 6"), 0);
  EXPECT_EQ(progress.transferBytes, 10);

  // A whole page answering the resume restarts the count with its total.
  progress.calls.clear();
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, "0123"));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 10"}, "0123456789"));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(count(progress.calls, "bytes 10"), 2);
  EXPECT_EQ(progress.transferBytes, 10);
  EXPECT_EQ(readWholeFile(page()), "0123456789");
}

TEST_F(DownloadTransferTest, ABodyOverTheCapFailsWithItsReasonAndLeavesNoFile) {
  job().client().setMaxBodyBytes(100);
  server.reply(httpResponse("HTTP/1.0 200 OK", {}, pageBody(101)));
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 101"}, pageBody(101)));
  for (int i = 0; i < 2; ++i) {
    progress.calls.clear();
    EXPECT_FALSE(job().fetch(progress, "/p", page()));
    EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kTooLarge});
    EXPECT_FALSE(isFile(page()));
  }
  server.reply(httpResponse("HTTP/1.0 200 OK", {}, pageBody(100)));
  EXPECT_TRUE(job().fetch(progress, "/p", page()));
  EXPECT_EQ(readWholeFile(page()), pageBody(100));
  // The same answer would come again: no retry waits for it.
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 101"}, pageBody(101)));
  job().setRetryPolicy(RetryPolicy{3, 0});
  const std::size_t asked = server.requests().size();
  EXPECT_FALSE(job().fetchWithRetry(progress, "/p", page()));
  EXPECT_EQ(asked + 1, server.requests().size());
}

TEST_F(DownloadTransferTest, APageThatCannotBeWrittenFailsAndIsDeleted) {
#ifdef _WIN32
  GTEST_SKIP() << "the file size limit that stands for a full disk is POSIX's";
#else
  // Past a file size limit every write fails, as on a full disk (a link to
  // /dev/full would no longer do: cache files are never written through links).
  struct rlimit saved;
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
  void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
  for (int length : {100, 3000}) {  // the last flush fails; a put fails
    SCOPED_TRACE(length);
    progress.calls.clear();
    server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: " + std::to_string(length)},
                              pageBody(length)));
    struct rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    const bool fetched = job().fetch(progress, "/p", page());
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(fetched);
    EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kSaveFailed});
    EXPECT_EQ(progress.failures.back(), "cannot write " + page() + ": File too large");
    EXPECT_FALSE(isFile(page()));
  }
  signal(SIGXFSZ, previous);
#endif
}

TEST_F(DownloadTransferTest, APageFileThatCannotBeMadeIsNamedAndNotTriedAgain) {
  const std::string unmakeable = folder.file("no such folder/010521tb.htm");
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 3"}, "abc"));
  job().setRetryPolicy(RetryPolicy{3, 0});
  EXPECT_FALSE(job().fetchWithRetry(progress, "/p", unmakeable));
  EXPECT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(errors(progress.calls), std::vector<std::string>{kSaveFailed});
  ASSERT_EQ(progress.failures.size(), 1u);
  const std::string named = "cannot write " + unmakeable + ": ";
  EXPECT_EQ(progress.failures[0].compare(0, named.size(), named), 0) << progress.failures[0];
  EXPECT_GT(progress.failures[0].size(), named.size());  // and the system's reason
}

namespace {
// Cancels at the addition of byte number `limit` + 1, as the dialog would.
class CancellingProgress : public RecordingProgress {
 public:
  explicit CancellingProgress(int limit) : limit_(limit) {}
  bool addBytes(int n) override {
    if (n > 0) ++additions;  // no bytes: the transfer asking after a cancel
    RecordingProgress::addBytes(n);
    return bytes <= limit_;
  }
  int additions = 0;

 private:
  int limit_;
};
}  // namespace

TEST_F(DownloadTransferTest, ACancelStopsWithinOneByteAndKeepsWhatWasWritten) {
  std::string body = pageBody(200000);
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 200000"}, body));
  CancellingProgress cancelling(1500);
  EXPECT_FALSE(job().fetch(cancelling, "/p", page()));
  EXPECT_EQ(cancelling.additions, 1501);
  EXPECT_TRUE(errors(cancelling.calls).empty());
  endJob();
  EXPECT_EQ(readWholeFile(page()), body.substr(0, 1500));
}

TEST(DownloadThroughProxyTest, SendsTheAbsoluteUrlAndCredentialsToTheProxyOnly) {
  LoopbackHttpServer origin;
  LoopbackHttpProxy proxy("Basic dXNlcjpwYXNz");
  proxy.route("tv.example", origin.port());
  origin.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: 4"}, "page"));
  SettingsStore settings;
  settings.setString("_config", "server", "tv.example");
  settings.setProxyServer("127.0.0.1");
  settings.setProxyPort(proxy.port());
  settings.setProxyUser("user");
  settings.setProxyPass("pass");
  settings.setArea("_1");
  settings.setCookie("session=abc");
  TempFolder folder;
  RecordingProgress progress;
  {
    DownloadJob job(downloadServerOf(settings));
    job.client().setReadTimeout(kReadTimeout);
    EXPECT_TRUE(job.fetch(progress, "/cgi-bin/your_table.cgi?mmdd=0105&hh=21", folder.file("p")));
  }
  EXPECT_EQ(proxy.requests(),
            std::vector<std::string>{
                "GET http://tv.example/cgi-bin/your_table.cgi?mmdd=0105&hh=21 HTTP/1.0\r\n"
                "Content-Length: 0\r\n"
                "cookie: session=abc\r\n"
                "host: tv.example\r\n"
                "proxy-authorization: Basic dXNlcjpwYXNz\r\n"
                "\r\n"});
  EXPECT_EQ(origin.requests(),
            std::vector<std::string>{"GET /cgi-bin/your_table.cgi?mmdd=0105&hh=21 HTTP/1.0\r\n"
                                     "Content-Length: 0\r\n"
                                     "cookie: session=abc\r\n"
                                     "host: tv.example\r\n"
                                     "\r\n"});
  EXPECT_EQ(readWholeFile(folder.file("p")), "page");
}

TEST(DownloadThroughProxyTest, WrongCredentialsAreRefusedByTheProxy) {
  LoopbackHttpServer origin;
  LoopbackHttpProxy proxy("Basic dXNlcjpwYXNz");
  proxy.route("tv.example:8080", origin.port());
  SettingsStore settings;
  settings.setString("_config", "server", "tv.example");
  settings.setInt("_config", "port", 8080);
  settings.setProxyServer("127.0.0.1");
  settings.setProxyPort(proxy.port());
  settings.setProxyUser("user");
  TempFolder folder;
  RecordingProgress progress;
  DownloadJob job(downloadServerOf(settings));
  job.client().setReadTimeout(kReadTimeout);
  EXPECT_FALSE(job.fetch(progress, "/p", folder.file("p")));
  EXPECT_EQ(progress.calls, std::vector<std::string>{"error Proxy Authentication Required"});
  EXPECT_EQ(proxy.requests(), std::vector<std::string>{
                                  "GET http://tv.example:8080/p HTTP/1.0\r\n"
                                  "Content-Length: 0\r\n"
                                  "host: tv.example:8080\r\n"
                                  "proxy-authorization: Basic dXNlcjo=\r\n"
                                  "\r\n"});
  EXPECT_TRUE(origin.requests().empty());
  EXPECT_FALSE(isFile(folder.file("p")));
}
