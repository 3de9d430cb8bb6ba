// The refresh of today's and tomorrow's slots against a scripted loopback
// server, with a fake clock: conditional requests, 304, replacement only by
// a page that reads as completely, and the report.
#include <gtest/gtest.h>

#include <cstdio>

#include "bytes/file_system.h"
#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "guide/http_date.h"
#include "guide/slot_paths.h"
#include "net/clock.h"
#include "os/os.h"
#include "programme/guide_page.h"
#include "programme/page_files.h"
#include "programme/programme_table.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"

namespace {

// 番組表ページの形式が変わったようです
const std::string kLayoutChanged =
    "\x94\xd4\x91g\x95\x5c\x83y\x81[\x83W\x82\xcc\x8c`\x8e\xae\x82\xaa\x95\xcf\x82\xed\x82\xc1"
    "\x82\xbd\x82\xe6\x82\xa4\x82\xc5\x82\xb7";
const std::int64_t kHour = 3600;

// The report line for the given counts.
std::string report(int checked, int unchanged, int changed, int added, int removed, int moved) {
  char text[160];
  std::snprintf(text, sizeof text,
                "status \x8dX\x90V\x8am\x94" "F %d\x98g: \x95\xcf\x8dX\x82\xc8\x82\xb5%d \x95\xcf"
                "\x8dX%d (\x94\xd4\x91g \x92\xc7\x89\xc1%d \x8d\xed\x8f\x9c%d \x88\xda\x93\xae%d)",
                checked, unchanged, changed, added, removed, moved);
  return text;
}

// A slot of five channels with two programmes each; `shift` moves the
// second programme of the first channel, `channels` and `programmes` thin
// the page out.
std::string slotPage(int hour, int shift = 0, int channels = 5, int programmes = 2) {
  GuidePage page(hour);
  for (int c = 0; c < channels; ++c) {
    int channel = page.addChannel("CH" + std::to_string(c));
    for (int p = 0; p < programmes; ++p) {
      int start = p * 60 + (c == 0 && p == 1 ? shift : 0);
      PageProgramme programme;
      programme.channel = channel;
      programme.start = start;
      programme.title = "Show " + std::to_string(c * 10 + p);
      page.addProgramme(programme);
    }
  }
  return page.eucJp();
}

std::string ok(const std::string& body, const std::string& entityTag = std::string()) {
  std::vector<std::string> headers = {"Content-Length: " + std::to_string(body.size())};
  if (!entityTag.empty()) headers.push_back("ETag: " + entityTag);
  return httpResponse("HTTP/1.0 200 OK", headers, body);
}

const std::string kNotModified = httpResponse("HTTP/1.0 304 Not Modified", {}, "");

class RefreshTest : public ::testing::Test {
 protected:
  RefreshTest() {
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
    clock.now = 1796000000;  // a moment in December 2026
    cache.setClock(&clock);
  }
  ~RefreshTest() override { cache.setClock(nullptr); }

  // The table of `page` stored for `key`, last written `age` seconds ago.
  void seed(int key, const std::string& page, std::int64_t age) {
    ASSERT_TRUE(writeWholeFile(cache.pageFileName(key), page));
    ProgrammeTable table;
    ASSERT_TRUE(cache.parseCachedPage(key, table));
    ASSERT_TRUE(os::setFileModifiedTime(cache.tableFileName(key), clock.now - age));
  }
  std::string table(int key) const { return readWholeFile(cache.tableFileName(key)); }
  std::string requestLine(std::size_t i) const {
    std::string head = server.requests().at(i);
    return head.substr(0, head.find("\r\n"));
  }

  TempFolder folder;
  LoopbackHttpServer server;
  SettingsStore settings;
  GuideCache cache{settings};
  FakeClock clock;
  RecordingProgress progress;
  DateTime now{2026, 12, 7, 10, 0};
  const int key = 120709;  // today's 09:00 slot
};

TEST(HttpDate, IsTheGmtFormOfHttpHeaders) {
  EXPECT_EQ("Sun, 06 Nov 1994 08:49:37 GMT", httpDate(784111777));
  EXPECT_EQ("Thu, 01 Jan 1970 00:00:00 GMT", httpDate(0));
  EXPECT_EQ(784111777, unixTimeOfHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"));
  EXPECT_EQ(1796688000, unixTimeOfHttpDate(httpDate(1796688000)));
  for (const char* wrong : {"", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994",
                            "Sun, 06 Nov 1994 08:49:37 GMT+1", "Sun, 06 Foo 1994 08:49:37 GMT",
                            "Sun, 06 Nov 1994 24:00:00 GMT", "Sun, 06 Nov 1994 -1:00:00 GMT"}) {
    EXPECT_EQ(-1, unixTimeOfHttpDate(wrong)) << wrong;
  }
}

TEST_F(RefreshTest, UnchangedSlotIsAnsweredNotModifiedWithoutAPage) {
  seed(key, slotPage(9), 5 * kHour);
  const std::string before = table(key);
  server.reply(kNotModified);
  EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
  ASSERT_EQ(1u, server.requests().size());
  const std::string head = server.requests()[0];
  EXPECT_NE(std::string::npos,
            head.find("\r\nif-modified-since: " + httpDate(clock.now - 5 * kHour) + "\r\n"));
  EXPECT_EQ(std::string::npos, head.find("if-none-match"));
  EXPECT_EQ(0, progress.bytes);
  EXPECT_EQ(before, table(key));
  EXPECT_EQ(clock.now, os::fileModifiedTime(cache.tableFileName(key)));  // its time is renewed
  EXPECT_EQ(report(1, 1, 0, 0, 0, 0), progress.calls.back());
  EXPECT_FALSE(isFile(cache.slotFileName(key, "new")));
}

TEST_F(RefreshTest, ChangedSlotIsReplacedAndItsEntityTagAskedNextTime) {
  seed(key, slotPage(9), 5 * kHour);
  const std::string moved = slotPage(9, 15);
  server.reply(ok(moved, "\"v2\""));
  EXPECT_EQ(1, cache.refreshNearSlots(now, 3, progress));
  EXPECT_EQ(report(1, 0, 1, 0, 0, 1), progress.calls.back());
  ProgrammeTable expected;  // the new page as an ordinary crawl would store it
  ASSERT_TRUE(writeWholeFile(folder.file("moved.htm"), moved));
  ASSERT_TRUE(cache.parseDownloadedPage(key, folder.file("moved.htm"), expected));
  ASSERT_TRUE(writeTableFile(localFileSystem(), folder.file("expected.tmp"), expected));
  EXPECT_EQ(readWholeFile(folder.file("expected.tmp")), table(key));
  EXPECT_FALSE(isFile(cache.slotFileName(key, "tnw")));

  os::setFileModifiedTime(cache.tableFileName(key), clock.now - 4 * kHour);
  server.reply(kNotModified);
  EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
  EXPECT_NE(std::string::npos, server.requests().back().find("\r\nif-none-match: \"v2\"\r\n"));

  // The same page sent again in full counts as unchanged.
  os::setFileModifiedTime(cache.tableFileName(key), clock.now - 4 * kHour);
  server.reply(ok(moved));
  EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
  EXPECT_EQ(report(1, 1, 0, 0, 0, 0), progress.calls.back());
  EXPECT_EQ(clock.now, os::fileModifiedTime(cache.tableFileName(key)));
  EXPECT_FALSE(isFile(cache.slotFileName(key, "etg")));  // that answer carried no tag
}

TEST_F(RefreshTest, PageThatReadsWorseLeavesTheOldTableAndIsKeptAside) {
  const std::string whole = slotPage(9);
  const struct {
    const char* what;
    std::string page;
  } cases[] = {
      {"cut before </html>", whole.substr(0, whole.size() / 2)},
      {"not a guide page", "<html><body>maintenance</body></html>"},
      {"four channels lost", slotPage(9, 0, 1)},
      {"most programmes lost", slotPage(9, 0, 5, 0)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    seed(key, whole, 5 * kHour);
    const std::string before = table(key);
    progress.calls.clear();
    server.reply(ok(test.page));
    EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
    EXPECT_EQ(before, table(key));
    EXPECT_EQ(test.page, readWholeFile(cache.slotFileName(key, "bad")));
    EXPECT_EQ("error " + slotLabel(key) + kLayoutChanged, progress.calls.at(progress.calls.size() - 2));
    EXPECT_EQ(report(1, 0, 0, 0, 0, 0) + " " + kLayoutChanged, progress.calls.back());
  }
}

TEST_F(RefreshTest, RefreshCutShortLeavesTheOldTable) {
  seed(key, slotPage(9), 5 * kHour);
  const std::string before = table(key);
  const std::string page = slotPage(9, 15);
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Length: " + std::to_string(page.size())},
                            page.substr(0, page.size() / 2)));
  server.refuseAfterScript();
  EXPECT_EQ(-1, cache.refreshNearSlots(now, 3, progress));
  EXPECT_EQ(before, table(key));
  EXPECT_FALSE(isFile(cache.slotFileName(key, "new")));
}

TEST_F(RefreshTest, OnlyStaleSlotsOfTodayAndTomorrowAreFetched) {
  seed(120709, slotPage(9), 5 * kHour);   // today, stale
  seed(120713, slotPage(13), 2 * kHour);  // today, fresh enough
  seed(120805, slotPage(5), 5 * kHour);   // tomorrow, stale
  seed(120905, slotPage(5), 9 * kHour);   // the day after: never
  server.reply(kNotModified);
  server.reply(kNotModified);
  EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
  ASSERT_EQ(2u, server.requests().size());
  EXPECT_EQ("GET " + areaPath(120709, "tokyo") + " HTTP/1.0", requestLine(0));
  EXPECT_EQ("GET " + areaPath(120805, "tokyo") + " HTTP/1.0", requestLine(1));
}

TEST_F(RefreshTest, CrawlRefreshesOnlyWhenTheSettingAsks) {
  for (int hour : kSlotHours) seed(120700 + hour, slotPage(hour), 5 * kHour);
  EXPECT_EQ(0, cache.crawl(now, 0, progress));
  EXPECT_EQ(0u, server.requests().size());

  settings.setRefreshHours(4);
  for (int i = 0; i < 6; ++i) server.reply(kNotModified);
  EXPECT_EQ(0, cache.crawl(now, 0, progress));
  EXPECT_EQ(6u, server.requests().size());
  EXPECT_EQ(report(6, 6, 0, 0, 0, 0), progress.calls.back());
}

TEST(RefreshPersonalTableTest, EveryPageOfASlotSentInFullIsReadAgain) {
  DemoGuideOptions options;
  options.answersNotModified = false;
  DemoGuideServer server{options};
  ASSERT_TRUE(server.start());
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  settings.section("_config")["directory"] = folder.file("cache");
  settings.setArea("_2");
  settings.setTvGuideUser("demo-user");
  settings.setTvGuidePass("demo");
  GuideCache cache{settings};
  FakeClock clock;
  clock.now = os::currentUnixTime();
  cache.setClock(&clock);
  RecordingProgress progress;
  const DateTime now = currentDateTime();
  ASSERT_EQ(6, cache.crawl(now, 0, progress));
  const int first = slotKey(dateFromDayNumber(broadcastDayNumber(now)), 5);
  for (int hour : kSlotHours) {
    os::setFileModifiedTime(cache.tableFileName(first - 5 + hour), clock.now - 5 * kHour);
  }
  const int served = server.requestCount();
  EXPECT_EQ(0, cache.refreshNearSlots(now, 3, progress));
  EXPECT_EQ(served + 12, server.requestCount());  // both pages of each slot
  EXPECT_EQ(report(6, 6, 0, 0, 0, 0), progress.calls.back());
  cache.setClock(nullptr);
}

}  // namespace
