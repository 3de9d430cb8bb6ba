// What an import may replace, and the crawl with an XMLTV source: a partial
// document keeps the fuller tables unless asked, a URL is asked again
// conditionally, and the guide service is never contacted.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "os/text.h"
#include "programme/programme_diff.h"
#include "programme/programme_table.h"
#include "tests/support/fake_clock.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "xmltv/xmltv_import.h"
#include "xmltv/xmltv_source.h"

namespace {

// `channels` channels, each with one four-hour programme in every slot of
// the broadcast day of 8 December 2026 (`slots` of them from 05:00).
std::string document(int channels, int slots = 6) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv>\n";
  for (int c = 0; c < channels; ++c) {
    xml += "<channel id=\"c" + std::to_string(c) + "\"><display-name>CH" + std::to_string(c) +
           "</display-name></channel>\n";
  }
  for (int c = 0; c < channels; ++c) {
    for (int s = 0; s < slots; ++s) {
      char start[64], stop[64];
      std::snprintf(start, sizeof start, "202612%02d%02d0000 +0900", 8 + (5 + 4 * s) / 24, (5 + 4 * s) % 24);
      std::snprintf(stop, sizeof stop, "202612%02d%02d0000 +0900", 8 + (9 + 4 * s) / 24, (9 + 4 * s) % 24);
      xml += std::string("<programme start=\"") + start + "\" stop=\"" + stop + "\" channel=\"c" +
             std::to_string(c) + "\"><title>P" + std::to_string(s) + "</title></programme>\n";
    }
  }
  return xml + "</tv>\n";
}

class XmltvSourceTest : public ::testing::Test {
 protected:
  XmltvSourceTest() {
    settings.section("_config")["directory"] = folder.file("cache");
  }
  int import(const std::string& xml, bool replace = false) {
    writeWholeFile(folder.file("in.xml"), xml);
    XmltvImportOptions options;
    options.replace = replace;
    return importXmltv(cache, folder.file("in.xml"), december8, december8, progress, options);
  }
  std::string table(int hour) { return cache.tableFileName(slotKey(dateFromDayNumber(december8), hour)); }
  std::size_t channels(int hour) {
    ProgrammeTable loaded;
    cache.loadTableFile(slotKey(dateFromDayNumber(december8), hour), loaded);
    return channelsOf(loaded).size();
  }

  const int december8 = dayNumber(2026, 12, 8);
  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
};

TEST_F(XmltvSourceTest, ATableGivesWayOnlyToOneAsCompleteUnlessReplaceIsAsked) {
  struct Case {
    std::string xml;
    bool replace;
    int taken;
    std::size_t channelsAfter;
    const char* kept;  // the status's list of kept slots
  };
  const Case cases[] = {
      // One programme of one channel: every slot kept, and the status says why.
      {document(1, 1), false, 0, 12, " 12/08 05:00-(チャンネル12→1 番組12→1) 12/08 09:00-(チャンネル12→1 番組12→0)"},
      {document(9), false, 6, 9, nullptr},  // three channels lost: still complete enough
      {document(12, 3), false, 3, 12, " 12/08 17:00-(チャンネル12→12 番組12→0)"},  // half the day
      {document(1, 1), true, 6, 1, nullptr},
  };
  const std::string keptStatus = os::utf8ToCp932("status チャンネルか番組が減るため元の番組表を残しました:");
  for (const Case& c : cases) {
    ASSERT_EQ(6, import(document(12), true));
    const std::string before = readWholeFile(table(25));
    progress.calls.clear();
    EXPECT_EQ(c.taken, import(c.xml, c.replace)) << c.channelsAfter;
    EXPECT_EQ(c.channelsAfter, channels(5));
    if (c.taken < 6) {
      EXPECT_EQ(before, readWholeFile(table(25)));  // byte for byte
    }
    EXPECT_EQ(-1, os::fileAttributes(table(25).substr(0, table(25).size() - 3) + "tnw"));
    const std::string& last = progress.calls.back();
    if (c.kept) {
      EXPECT_EQ(0u, last.find(keptStatus + os::utf8ToCp932(c.kept))) << os::cp932ToUtf8(last);
    } else {
      EXPECT_NE(0u, last.find(keptStatus));
    }
  }
}

TEST_F(XmltvSourceTest, TheCrawlAsksTheDocumentAgainConditionallyAndNeverTheGuideService) {
  LoopbackHttpServer documents, guideService;
  documents.reply(httpResponse("HTTP/1.0 200 OK",
                               {"Last-Modified: Mon, 07 Dec 2026 20:00:00 GMT", "ETag: \"v1\""}, document(12)));
  documents.reply(httpResponse("HTTP/1.0 304 Not Modified", {}, ""));
  settings.setXmltvSource("http://127.0.0.1:" + std::to_string(documents.port()) + "/guide.xml");
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(guideService.port());
  const DateTime now{2026, 12, 8, 12, 0};
  GuideSource& source = guideSourceFor(settings);
  ASSERT_EQ(6, cache.crawl(source, now, 0, progress, 1));
  const std::string first = readWholeFile(table(5));
  for (int hour : kSlotHours) os::setFileModifiedTime(table(hour), os::fileModifiedTime(table(hour)) - 7200);
  EXPECT_EQ(0, cache.crawl(source, now, 0, progress, 1));  // stale near slots: the refresh's turn
  ASSERT_EQ(2u, documents.requests().size());
  EXPECT_EQ(std::string::npos, documents.requests()[0].find("if-none-match"));
  EXPECT_NE(std::string::npos, documents.requests()[1].find("if-none-match: \"v1\"\r\n"));
  EXPECT_NE(std::string::npos,
            documents.requests()[1].find("if-modified-since: Mon, 07 Dec 2026 20:00:00 GMT\r\n"));
  EXPECT_EQ(os::utf8ToCp932("status XMLTVの文書は変わっていません"), progress.calls.back());
  EXPECT_EQ(first, readWholeFile(table(5)));
  EXPECT_TRUE(guideService.requests().empty());

  // A slot gone from the cache needs the whole document again.
  os::removeFile(table(13));
  documents.reply(httpResponse("HTTP/1.0 200 OK", {}, document(12)));
  EXPECT_EQ(6, cache.crawl(source, now, 0, progress, 1));
  ASSERT_EQ(3u, documents.requests().size());
  EXPECT_EQ(std::string::npos, documents.requests()[2].find("if-none-match"));
  EXPECT_TRUE(guideService.requests().empty());
}

// A fetched document, its validators and its tables are the cache's files:
// on a file system in memory, the import leaves the disk alone and no
// download behind, and the next fetch is conditional.
TEST_F(XmltvSourceTest, AnImportOverHttpKeepsItsFilesOnTheCachesFileSystem) {
  FakeClock clock;
  MemoryFileSystem files{clock};
  cache.setFileSystem(&files);
  LoopbackHttpServer documents;
  documents.reply(httpResponse("HTTP/1.0 200 OK", {"ETag: \"v1\""}, document(3)));
  documents.reply(httpResponse("HTTP/1.0 304 Not Modified", {}, ""));
  const std::string url = "http://127.0.0.1:" + std::to_string(documents.port()) + "/guide.xml";
  XmltvImportOptions options;
  options.conditional = true;
  ASSERT_EQ(6, importXmltv(cache, url, december8, december8, progress, options));
  EXPECT_EQ(3u, channels(5));
  EXPECT_FALSE(files.exists(cache.cacheDirectory() + "xmltvsrc.xml"));
  EXPECT_EQ(0, importXmltv(cache, url, december8, december8, progress, options));
  ASSERT_EQ(2u, documents.requests().size());
  EXPECT_NE(std::string::npos, documents.requests()[1].find("if-none-match: \"v1\"\r\n"));
  EXPECT_FALSE(isDirectory(folder.file("cache")));
}

}  // namespace
