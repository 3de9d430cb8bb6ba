// Crawls against the demo guide service on 127.0.0.1, with a fake clock so
// that the waits between attempts cost nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "net/clock.h"
#include "os/os.h"
#include "programme/guide_page.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"

namespace {

const std::string kAllPresent = "status \x8a\x6d\x94\x46OK!!";
const std::string kConnectFailed = "error \x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49";
const std::string kInterrupted =
    "error \x92\x86\x92\x66\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd";
const std::string kNoDirectory =
    "error \x95\xdb\x91\xb6\x90\xe6\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x82\xaa\x82"
    "\xc8\x82\xa2\x81\x49";

class CrawlTest : public ::testing::Test {
 protected:
  explicit CrawlTest(DemoGuideOptions options = DemoGuideOptions())
      : server(options) {
    EXPECT_TRUE(server.start());
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    cache.setClock(&clock);
    now = currentDateTime();
  }
  ~CrawlTest() override { cache.setClock(nullptr); }

  int count(const std::string& call) const {
    return static_cast<int>(std::count(progress.calls.begin(), progress.calls.end(), call));
  }
  CacheFileList files() const { return cache.listCacheFiles(); }
  int firstKey() const { return slotKey(dateFromDayNumber(broadcastDayNumber(now)), 5); }

  TempFolder folder;
  DemoGuideServer server;
  SettingsStore settings;
  GuideCache cache{settings};
  FakeClock clock;
  RecordingProgress progress;
  DateTime now;
};

TEST_F(CrawlTest, AreaTableWeekIsFetchedOnceAndThenFoundComplete) {
  EXPECT_EQ(42, cache.crawl(now, 6, progress));
  EXPECT_EQ(84u, files().size());  // a page and a table file per slot
  EXPECT_EQ("total 42", progress.calls[1 + 42]);  // after the status and 42 checks
  EXPECT_EQ(0, clock.slept());

  int served = server.requestCount();
  progress.calls.clear();
  EXPECT_EQ(0, cache.crawl(now, 6, progress));
  EXPECT_EQ(kAllPresent, progress.calls.back());
  EXPECT_EQ(served, server.requestCount());
}

TEST_F(CrawlTest, StoredTablesAndCachedPagesAreNotFetchedAgain) {
  settings.setDeleteHtml(false);
  ASSERT_EQ(6, cache.crawl(now, 0, progress));
  const int key = firstKey();
  os::removeFile(cache.tableFileName(key));      // the page is still there
  os::removeFile(cache.pageFileName(key + 4));   // the table is still there
  os::removeFile(cache.tableFileName(key + 8));  // gone entirely
  os::removeFile(cache.pageFileName(key + 8));
  int served = server.requestCount();
  EXPECT_EQ(1, cache.crawl(now, 0, progress));
  EXPECT_EQ(served + 1, server.requestCount());
  EXPECT_TRUE(isFile(cache.tableFileName(key)));
}

TEST_F(CrawlTest, DeleteHtmlKeepsOnlyTableFiles) {
  settings.setDeleteHtml(true);
  ASSERT_EQ(6, cache.crawl(now, 0, progress));
  for (const std::string& name : files()) EXPECT_EQ(".tmp", name.substr(name.size() - 4));
}

TEST_F(CrawlTest, PersonalTableSignsInAndFetchesEveryPage) {
  settings.setArea("_3");
  settings.setTvGuideUser("demo-user");
  settings.setTvGuidePass("demo");
  EXPECT_EQ(6, cache.crawl(now, 0, progress));
  EXPECT_FALSE(settings.cookie().empty());
  EXPECT_EQ(1, count("total 18"));
  CalendarDate date = dateFromDayNumber(broadcastDayNumber(now));
  char label[32];
  std::snprintf(label, sizeof label, "file %02d/%02d 05:00-(2/3)", date.month, date.day);
  EXPECT_EQ(1, count(label));
  EXPECT_EQ(1 + 18, server.requestCount());  // the sign-in, then three pages a slot
}

TEST_F(CrawlTest, BadAreaDigitMeansOnePageAndIsRewritten) {
  settings.setArea("_x");
  settings.setCookie("outdated=1");  // a stored cookie means no sign-in
  EXPECT_EQ(-1, cache.crawl(now, 0, progress));  // the service refuses the old session
  EXPECT_EQ("_", settings.area());
  EXPECT_EQ(1, count("total 6"));
  EXPECT_EQ("outdated=1", settings.cookie());
}

TEST_F(CrawlTest, WrongCredentialsStopTheCrawl) {
  settings.setArea("_");
  settings.setTvGuideUser("demo-user");
  settings.setTvGuidePass("wrong");
  EXPECT_EQ(-1, cache.crawl(now, 0, progress));
  EXPECT_EQ("", settings.cookie());
  EXPECT_TRUE(files().empty());
}

TEST_F(CrawlTest, MissingCacheDirectoryIsReported) {
  writeWholeFile(folder.file("blocker"), "");
  settings.section("_config")["directory"] = folder.file("blocker");
  EXPECT_EQ(-1, cache.crawl(now, 0, progress));
  EXPECT_EQ(std::vector<std::string>{kNoDirectory}, progress.calls);
  // The command line's line names the folder and the system's reason.
  ASSERT_EQ(progress.failures.size(), 1u);
  const std::string named = "cannot create folder " + folder.file("blocker") + ": ";
  EXPECT_EQ(0, progress.failures[0].compare(0, named.size(), named)) << progress.failures[0];
  EXPECT_GT(progress.failures[0].size(), named.size());
}

// A fresh Linux install has no ~/.config/rokuban yet.
TEST_F(CrawlTest, TheCacheFolderIsMadeWithItsMissingParents) {
  settings.section("_config")["directory"] = folder.file("config/rokuban/Rokuban");
  EXPECT_EQ(6, cache.crawl(now, 0, progress));
  EXPECT_TRUE(isDirectory(folder.file("config/rokuban/Rokuban")));
}

TEST_F(CrawlTest, CancelDuringTheCountdownIsReported) {
  server.stop();  // nothing listens any more
  // The checks, the total, the label, "connecting", then the first
  // countdown line is refused.
  progress.cancelAt = 1 + 6 + 1 + 1 + 1 + 1;
  EXPECT_EQ(-1, cache.crawl(now, 0, progress));
  EXPECT_EQ(kInterrupted, progress.calls.back());
  EXPECT_EQ(0, clock.slept());
}

TEST_F(CrawlTest, ServerDownCostsThreeAttemptsAndTwoCountdowns) {
  server.stop();
  EXPECT_EQ(-1, cache.crawl(now, 0, progress));
  EXPECT_EQ(3, count(kConnectFailed));
  EXPECT_EQ(2 * 30 * 1000, clock.slept());
  EXPECT_TRUE(files().empty());
}

class CutBodiesCrawlTest : public CrawlTest {
 protected:
  static DemoGuideOptions cutting() {
    DemoGuideOptions options;
    options.cutBodies = 1;
    return options;
  }
  CutBodiesCrawlTest() : CrawlTest(cutting()) {}
};

TEST_F(CutBodiesCrawlTest, BrokenBodiesAreResumedIntoWholePages) {
  settings.setDeleteHtml(false);
  EXPECT_EQ(6, cache.crawl(now, 0, progress));
  EXPECT_EQ(12, server.requestCount());  // each page cut once, then resumed
  EXPECT_EQ(12u, files().size());
}

// Crawls at chosen moments against a scripted server: the calendar edges,
// the paths sent, and pages that are not programme tables.
class ScriptedCrawlTest : public ::testing::Test {
 protected:
  ScriptedCrawlTest() {
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    cache.setClock(&clock);
  }
  ~ScriptedCrawlTest() override { cache.setClock(nullptr); }

  static std::string pageAnswer(int hour) {
    GuidePage page(hour, 1);
    PageProgramme news;
    news.channel = page.addChannel("NHK");
    news.title = "News";
    page.addProgramme(news);
    return httpResponse("HTTP/1.0 200 OK", {}, page.eucJp());
  }
  std::string requestPath(std::size_t index) const {
    std::vector<std::string> requests = server.requests();
    if (index >= requests.size()) return "";
    return requests[index].substr(4, requests[index].find(" HTTP/") - 4);
  }
  std::vector<std::string> checkedLabels(std::size_t count) const {
    std::vector<std::string> labels;
    for (const std::string& call : progress.calls) {
      if (call.compare(0, 5, "file ") == 0 && labels.size() < count) labels.push_back(call.substr(5));
    }
    return labels;
  }

  LoopbackHttpServer server;
  SettingsStore settings;
  TempFolder folder;
  GuideCache cache{settings};
  FakeClock clock;
  RecordingProgress progress;
};

TEST_F(ScriptedCrawlTest, TheNewYearIsCrossedWithAFiveDigitKey) {
  for (int day = 0; day < 2; ++day) {
    for (int hour : kSlotHours) server.reply(pageAnswer(hour));
  }
  EXPECT_EQ(12, cache.crawl({2026, 12, 31, 5, 0}, 1, progress));
  EXPECT_EQ("/tables/1231/GBS/tokyo/25.html", requestPath(5));
  EXPECT_EQ("/tables/0101/GBS/tokyo/05.html", requestPath(6));
  EXPECT_TRUE(isFile(cache.tableFileName(123125)));
  const std::string firstOfJanuary = cache.tableFileName(10105);
  EXPECT_EQ("010105tb.tmp", firstOfJanuary.substr(firstOfJanuary.size() - 12));
  EXPECT_TRUE(isFile(firstOfJanuary));
}

TEST_F(ScriptedCrawlTest, AtThreeTheDayBeforeIsCheckedFirst) {
  cache.crawl({2026, 12, 7, 3, 0}, 1, progress);  // nothing answers: only the checks count
  std::vector<std::string> expected;
  for (const char* day : {"12/06", "12/07"}) {
    for (const char* hour : {"05", "09", "13", "17", "21", "25"}) {
      expected.push_back(std::string(day) + " " + hour + ":00-");
    }
  }
  EXPECT_EQ(expected, checkedLabels(12));
}

TEST_F(ScriptedCrawlTest, AnEmptyAreaLeavesItsPathSegmentEmpty) {
  settings.setArea("");
  server.reply(pageAnswer(5));
  cache.crawl({2026, 12, 7, 5, 0}, 0, progress);
  EXPECT_EQ("/tables/1207/GBS//05.html", requestPath(0));
}

TEST_F(ScriptedCrawlTest, APageThatIsNotAProgrammeTableNamesItsSlot) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {}, "<html><body>maintenance</body></html>"));
  EXPECT_EQ(-1, cache.crawl({2026, 12, 7, 5, 0}, 0, progress));
  // は番組表ではありません。
  EXPECT_EQ("error 12/07 05:00-\x82\xcd\x94\xd4\x91\x67\x95\x5c\x82\xc5\x82\xcd\x82\xa0\x82\xe8"
            "\x82\xdc\x82\xb9\x82\xf1\x81\x42",
            progress.calls.back());
}

}  // namespace
