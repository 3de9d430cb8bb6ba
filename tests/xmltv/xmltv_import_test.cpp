// The XMLTV import into the cache: the day the window shows, a round trip
// of the sample week's guide, the channel choice, bad input that leaves the
// cache as it was, and a crawl that fetches the document over HTTP.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/text.h"
#include "programme/genre_table.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tests/xmltv/xmltv_samples.h"
#include "tools/guide_pages/sample_schedule.h"
#include "xmltv/xmltv_import.h"
#include "xmltv/xmltv_source.h"

namespace {

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

struct Shown {
  std::string channel, time, title;
  int genre;
  int rows;
  bool operator==(const Shown& o) const {
    return channel == o.channel && time == o.time && title == o.title && genre == o.genre;
  }
};

// Every programme of the day as the window lists it: channel, start, title, genre.
std::vector<Shown> shownDay(const ProgrammeTable& day) {
  std::vector<Shown> shown;
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const std::string channel = day.cellAt(column, 0)->body;
    for (std::size_t row = 1; row < day.rowCount(column);) {
      const ProgrammeCell* cell = day.cellAt(column, row);
      if (!cell->body.empty()) {
        shown.push_back({channel, cell->timeText, cell->title(), genreOf(cell->background), cell->rowSpan});
      }
      row += cell->rowSpan;
    }
  }
  return shown;
}

std::string escaped(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

// XMLTV of one day of the sample schedule, as an export would write it.
std::string sampleXmltv(const SampleSchedule& schedule, int day) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv>\n";
  for (std::size_t i = 0; i < schedule.channels.size(); ++i) {
    xml += "<channel id=\"c" + std::to_string(i) + "\"><display-name>" +
           escaped(os::cp932ToUtf8(schedule.channels[i])) + "</display-name></channel>\n";
  }
  for (const ScheduledProgramme& p : schedule.programmes) {
    auto stamp = [day](int minutes) {
      const int total = 5 * 60 + minutes;
      const CalendarDate date = dateFromDayNumber(day + total / 1440);
      char text[32];
      std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d00 +0900", date.year, date.month, date.day,
                    total % 1440 / 60, total % 60);
      return std::string(text);
    };
    xml += "<programme start=\"" + stamp(p.start) + "\" stop=\"" + stamp(p.start + p.length) +
           "\" channel=\"c" + std::to_string(p.channel) + "\"><title lang=\"ja\">" +
           escaped(os::cp932ToUtf8(p.title)) + "</title><desc>" + escaped(os::cp932ToUtf8(p.detail)) + "</desc>";
    for (int i = 0; i < kGenreRowCount; ++i) {
      if (kGenreTable[i].colour == p.colour) {
        xml += std::string("<category lang=\"ja\">") + os::cp932ToUtf8(kGenreTable[i].name) + "</category>";
      }
    }
    xml += "</programme>\n";
  }
  return xml + "</tv>\n";
}

class XmltvImportTest : public ::testing::Test {
 protected:
  XmltvImportTest() {
    settings.section("_config")["directory"] = folder.file("cache");
    writeWholeFile(folder.file("guide.xml"), kGrabberDocument);
  }
  int import(const std::string& document) {
    writeWholeFile(folder.file("in.xml"), document);
    return importXmltv(cache, folder.file("in.xml"), december8 - 1, december8 + 5, progress);
  }
  std::vector<Shown> shown(int dayNumber) {
    cache.loadDay(dateFromDayNumber(dayNumber), table);
    return shownDay(table);
  }

  const int december8 = dayNumber(2026, 12, 8);
  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
  ProgrammeTable table;
};

TEST_F(XmltvImportTest, TheWindowShowsAGrabbersDay) {
  EXPECT_EQ(6, import(kGrabberDocument));  // one broadcast day of six slots
  const std::vector<Shown> shown = this->shown(december8);
  ASSERT_EQ(4u, table.columnCount());
  EXPECT_EQ(sj("空きチャンネル"), table.cellAt(3, 0)->body);
  const int movie = 0, sports = 4, cooking = 7, animation = 3;
  const std::vector<Shown> expected = {
      {sj("第一放送"), "05:00", sj("夜のニュース"), kNoGenre, 90},
      {sj("第一放送"), "06:30", sj("Film 「海」"), movie, 30},  // no stop: until the next
      {sj("第一放送"), "07:00", "Morning show", cooking, 120},   // overlapped: cut at 09:00
      {sj("第一放送"), "09:00", "Flash", kNoGenre, 30},
      {"Two & Co", "08:00", "Match ]] day", sports, 120},
      {"Two & Co", "11:00", "Late", animation, 30},
  };
  ASSERT_EQ(expected.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_TRUE(expected[i] == shown[i]) << i << " " << shown[i].time;
    EXPECT_EQ(expected[i].rows, shown[i].rows) << i;
  }
  EXPECT_EQ(table.cellAt(1, 1)->body.find(sj("きょうの出来事。\r\n二行目")) != std::string::npos, true);
}

TEST_F(XmltvImportTest, TheSampleWeeksGuideComesBackAsItWent) {
  const SampleSchedule schedule = sampleSchedule(8, 17);
  ASSERT_EQ(6, import(sampleXmltv(schedule, december8)));
  const std::vector<Shown> imported = shown(december8);
  // The same programmes as the guide service's pages give them.
  for (int hour : kSlotHours) {
    StringByteSource page(slotPage(schedule, hour).eucJp());
    ProgrammeTable slot;
    ASSERT_TRUE(readPage(page, slot));
    cache.saveTableFile(slotKey(dateFromDayNumber(december8), hour), slot);
  }
  const std::vector<Shown> original = shown(december8);
  ASSERT_EQ(original.size(), imported.size());
  for (std::size_t i = 0; i < original.size(); ++i) EXPECT_TRUE(original[i] == imported[i]) << i;
}

TEST_F(XmltvImportTest, TheChosenChannelsInTheirOrder) {
  StringMap& chosen = settings.section("xmltvchannels");
  chosen["10"] = "one.example";  // 10 after 2, though it sorts first as text
  chosen["2"] = "two.example";
  import(kGrabberDocument);
  shown(december8);
  ASSERT_EQ(3u, table.columnCount());
  EXPECT_EQ("Two & Co", table.cellAt(1, 0)->body);
  EXPECT_EQ(sj("第一放送"), table.cellAt(2, 0)->body);
}

TEST_F(XmltvImportTest, BadInputLeavesTheCacheAsItWas) {
  ASSERT_EQ(6, import(kGrabberDocument));
  const CacheFileList before = cache.listCacheFiles();
  const std::string firstSlot = readWholeFile(cache.tableFileName(slotKey(dateFromDayNumber(december8), 5)));
  std::string changed = kGrabberDocument;
  changed.replace(changed.find("Morning show"), 12, "Evening show");
  EXPECT_EQ(-1, import(changed.substr(0, changed.find("Late"))));
  EXPECT_EQ(-1, import(changed.replace(changed.find("20261208110000"), 4, "20xx")));
  EXPECT_EQ(sj("error XMLTV 31行目: 時刻が読めません"), progress.calls.back());
  EXPECT_EQ(before, cache.listCacheFiles());
  EXPECT_EQ(firstSlot, readWholeFile(cache.tableFileName(slotKey(dateFromDayNumber(december8), 5))));
  EXPECT_EQ(sj("Morning show"), shown(december8)[2].title);
}

TEST_F(XmltvImportTest, ACrawlTakesTheDocumentOverHttpWithoutTheGuideSession) {
  LoopbackHttpServer server;
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Type: text/xml"}, kGrabberDocument));
  settings.setXmltvSource("http://127.0.0.1:" + std::to_string(server.port()) + "/epg/guide.xml");
  settings.setArea("_1");
  settings.setCookie("session=secret");
  const DateTime now{2026, 12, 8, 3, 0};  // broadcast day 7 December
  EXPECT_EQ(6, cache.crawl(guideSourceFor(settings), now, 1, progress));
  ASSERT_EQ(1u, server.requests().size());
  EXPECT_EQ(0u, server.requests()[0].find("GET /epg/guide.xml HTTP/1.0\r\n"));
  EXPECT_EQ(std::string::npos, server.requests()[0].find("secret"));
  EXPECT_EQ(12u, cache.listCacheFiles().size());  // six tables, their extras; the fetched document is gone
  EXPECT_EQ(6u, shown(december8).size());
}

}  // namespace
