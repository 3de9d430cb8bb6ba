// Fetching an XMLTV document over HTTP: what a failure names, what is tried
// again, answers the reader cannot take said as such, and a household's
// week beyond a guide page's limit.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/text.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tests/xmltv/xmltv_samples.h"
#include "xmltv/xmltv_import.h"

namespace {

class XmltvDocumentTest : public ::testing::Test {
 protected:
  XmltvDocumentTest() {
    settings.section("_config")["directory"] = folder.file("cache");
    cache.setClock(&clock);
  }
  ~XmltvDocumentTest() override { cache.setClock(nullptr); }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(server.port()) + path; }
  int import(const std::string& path) { return importXmltv(cache, url(path), december8 - 1, december8 + 5, progress); }
  std::string lastError() const { return progress.calls.empty() ? "" : progress.calls.back(); }

  const int december8 = dayNumber(2026, 12, 8);
  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  FakeClock clock;
  RecordingProgress progress;
  LoopbackHttpServer server;
};

TEST_F(XmltvDocumentTest, ARefusedDocumentNamesItsOwnServerAndIsAskedOnce) {
  server.reply(httpResponse("HTTP/1.0 404 Not Found", {}, ""));
  EXPECT_EQ(-1, import("/nothing"));
  ASSERT_EQ(1u, server.requests().size());
  EXPECT_EQ(0, clock.slept());
  // The port is part of the host a server may answer for.
  EXPECT_NE(std::string::npos, server.requests()[0].find("host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"));
  ASSERT_EQ(1u, progress.failures.size());
  EXPECT_EQ(url("/nothing") + ": 404 Not Found", progress.failures[0]);
}

TEST_F(XmltvDocumentTest, AnswersTheReaderCannotTakeAreSaidAsSuch) {
  struct Case {
    const char* what;
    std::string answer;
    std::string error;
  } cases[] = {
      {"chunked", httpResponse("HTTP/1.0 200 OK", {"Transfer-Encoding: chunked"}, "5\r\n<tv/>\r\n0\r\n\r\n"),
       os::utf8ToCp932("error 分割転送(chunked)の応答は読めません！")},
      {"compressed", httpResponse("HTTP/1.0 200 OK", {"Content-Encoding: gzip"}, "\x1f\x8b\x08"),
       os::utf8ToCp932("error 圧縮された応答は読めません！")},
      {"UTF-16", httpResponse("HTTP/1.0 200 OK", {}, std::string("\xFF\xFE<\0t\0v\0/\0>\0", 12)),
       os::utf8ToCp932("error XMLTV 1行目: UTF-16の文書は読めません。UTF-8で保存してください")},
      {"UTF-16 without its mark", httpResponse("HTTP/1.0 200 OK", {}, std::string("<\0t\0v\0/\0>\0", 10)),
       os::utf8ToCp932("error XMLTV 1行目: UTF-16の文書は読めません。UTF-8で保存してください")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t asked = server.requests().size();
    server.reply(c.answer);
    EXPECT_EQ(-1, import("/guide.xml"));
    EXPECT_EQ(c.error, lastError());
    EXPECT_EQ(asked + 1, server.requests().size());
  }
}

// A 400-service week is some 30 MB: far over a guide page's 16 MB.
TEST_F(XmltvDocumentTest, ADocumentOverAPagesLimitImports) {
  std::string document = kGrabberDocument;
  document.insert(document.find("<tv"), "<!--" + std::string(20 * 1024 * 1024, 'x') + "-->\n");
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: " + std::to_string(document.size())}, document));
  EXPECT_EQ(6, import("/week.xml")) << lastError();
}

}  // namespace
