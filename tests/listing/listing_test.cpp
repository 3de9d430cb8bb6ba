// Programme records, channel ids and the two export formats.
#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/day_schedule.h"
#include "listing/export_text.h"
#include "listing/genre_names.h"
#include "listing/ics_writer.h"
#include "listing/json_writer.h"
#include "listing/programme_flags.h"
#include "listing/record_order.h"
#include "listing/xmltv_file.h"
#include "listing/xmltv_writer.h"
#include "os/os.h"
#include "os/text.h"
#include "programme/genre_table.h"
#include "tests/support/crawled_demo_day.h"
#include "tests/support/listing_fixture.h"
#include "tests/support/temp_folder.h"
#include "xmltv/xmltv_genres.h"

namespace {

TEST(ProgrammeRecords, StartsAndStopsLieOnTheRightCalendarDayAndNeverOverlap) {
  SettingsStore settings;
  const Listing listing = craftedListing(settings);
  struct Expected {
    const char* titleStart;
    const char* start;
    const char* stop;
  };
  const Expected expected[] = {
      // The title's 9:30 lies before 20:00, so next morning; cut back to the news.
      {"Special", "20031204200000 +0900", "20031204210000 +0900"},
      // Before the empty slot below, the end of its rows.
      {"News", "20031204210000 +0900", "20031204220000 +0900"},
      {"Late", "20031205003000 +0900", "20031205010000 +0900"},
      // 05:30 from the title, cut back to the next broadcast day's first programme.
      {"Close", "20031205040000 +0900", "20031205050000 +0900"},
      {"Morning", "20031205050000 +0900", "20031205060000 +0900"},
  };
  ASSERT_EQ(5u, listing.programmes.size());
  for (std::size_t i = 0; i < 5; ++i) {
    const ProgrammeRecord& record = listing.programmes[i];
    EXPECT_EQ(0u, record.title.find(expected[i].titleStart)) << record.title;
    EXPECT_EQ(expected[i].start, xmltvTime(record.start)) << record.title;
    EXPECT_EQ(expected[i].stop, xmltvTime(record.stop)) << record.title;
  }
}

// Pages whose printed times disagree with their rows: one start printed
// twice (the second below later programmes), a time printed where the rows
// end. Every record still has a length and ends by the next start.
TEST(ProgrammeRecords, PrintedTimesAtOddsWithTheRowsGiveNoEmptyOrOverlappingProgramme) {
  SettingsStore settings;
  ChannelIds ids(settings);
  ProgrammeTable table;
  DayTableBuilder day(table);
  const int column = day.channel("CH8");
  day.programme(column, 14, 0, 15, "Short")->timeText = "14:15";
  day.programme(column, 15, 0, 60, "First");
  day.programme(column, 16, 0, 60, "Second");
  day.programme(column, 17, 0, 60, "Misplaced")->timeText = "15:00";
  day.programme(column, 18, 0, 60, "Last");
  day.fillEmptySlots();
  std::vector<ProgrammeRecord> records;
  appendDayRecords(table, dayNumber(2003, 12, 4), ids, records);
  finishRecords(records, {"CH8"});
  const char* titles[] = {"Short", "First", "Second", "Last"};
  ASSERT_EQ(4u, records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(titles[i], records[i].title);
    EXPECT_LT(records[i].start, records[i].stop) << titles[i];
    if (i + 1 < records.size()) {
      EXPECT_LE(records[i].stop, records[i + 1].start) << titles[i];
    }
  }
}

// Cells of day one found again by their start: the date of the start, a stop
// after midnight, the cut at day two; a start not read or not recorded keeps
// the line's fields.
TEST(DaySchedule, LinesCarryTheStartDateAndTheExportsStop) {
  SettingsStore settings;
  const DaySchedule schedule(craftedListing(settings).programmes, dayNumber(2003, 12, 4));
  const struct {
    const char* time;
    const char* line;
  } cases[] = {
      {"20:00", "12/04 20:00-21:00 CH8 T"},
      {"00:30", "12/05 00:30-01:00 CH8 T"},
      {"4:00", "12/05 04:00-05:00 CH8 T"},
      {"12:00", "12/04 ?\?:?\?-?\?:?\? CH8 T"},
      {"1", "12/04 ?\?:?\?-?\?:?\? CH8 T"},
  };
  const ProgrammeTable notInADay;
  for (const auto& c : cases) {
    ProgrammeCell cell;
    cell.timeText = c.time;
    EXPECT_EQ(c.line, schedule.lineOf(notInADay, "CH8", cell, "T")) << c.time;
  }
  ProgrammeCell other;
  other.timeText = "20:00";
  EXPECT_EQ(nullptr, schedule.recordOf(notInADay, "CH9", other));
}

TEST(ProgrammeRecords, JsonObjectsCarryGenreFlagsAndTheDescription) {
  SettingsStore settings;
  const Listing listing = craftedListing(settings);
  std::string news;
  appendProgrammeJson(news, listing.programmes[1]);
  EXPECT_EQ(
      "{\"channel\": \"CH8\", \"channelId\": \"ch8.tokyo.jp\", \"start\": \"2003-12-04T21:00:00+09:00\", "
      "\"stop\": \"2003-12-04T22:00:00+09:00\", \"title\": \"News & <Views> [\xe5\xad\x97][\xe5\x86\x8d]\", "
      "\"description\": \"\\\"Guest\\\"\\nline\\u0001two\", \"genre\": 1, \"genreName\": \"\xe9\x9f\xb3\xe6\xa5\xbd\", "
      "\"genreNameEn\": \"Music / Ballet / Dance\", \"flags\": [\"\xe5\xad\x97\", \"\xe5\x86\x8d\"]}",
      news);
  std::string morning;
  appendProgrammeJson(morning, listing.programmes[4]);
  EXPECT_NE(std::string::npos,
            morning.find("\"genre\": 10, \"genreName\": \"\", \"genreNameEn\": \"\", \"flags\": "
                         "[\"\xe6\x96\xb0\", \"\xe7\xb5\x82\", \"\xe4\xba\x8c\"]"));
}

TEST(XmltvDocument, ChannelsFirstFlagsInOrderAndEveryTextEscaped) {
  SettingsStore settings;
  const std::string xml = xmltvDocument(craftedListing(settings));
  EXPECT_EQ(0u, xml.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                         "<tv generator-info-name=\"Rokuban v0.4.0.4\">\n  <channel id=\"ch8.tokyo.jp\">\n"));
  EXPECT_NE(std::string::npos, xml.find("<title lang=\"ja\">News &amp; &lt;Views&gt; [\xe5\xad\x97]"));
  EXPECT_NE(std::string::npos, xml.find("<desc lang=\"ja\">&quot;Guest&quot;\nline\xef\xbf\xbdtwo</desc>"));
  // A byte that is no character becomes U+FFFD; the rest of the text stays.
  EXPECT_NE(std::string::npos, xml.find("Late \xef\xbf\xbd movie"));
  EXPECT_NE(std::string::npos,
            xml.find("<category lang=\"en\">Music / Ballet / Dance</category>\n    <previously-shown/>\n"
                     "    <subtitles type=\"teletext\"/>\n  </programme>"));
  EXPECT_NE(std::string::npos,
            xml.find("    <audio><stereo>bilingual</stereo></audio>\n    <last-chance/>\n    <new/>\n"));
}

// Shift-JIS: 【 】 around the bold title, and the marks 字 解 再 デ 新 生.
#define BOLD_OPEN "\x81\x79"
#define BOLD_CLOSE "\x81\x7a"
#define JI "\x8e\x9a"
#define KAI "\x89\xf0"

TEST(ProgrammeFlags, TheTitleLineKeepsTheMarksOutsideItsBoldTitle) {
  const struct {
    const char* body;
    const char* marks;
  } cases[] = {
      // not the details' 再
      {BOLD_OPEN "News" BOLD_CLOSE "[" JI "][" KAI "]\r\nguest [\x8d\xc4]", "[" JI "][" KAI "]"},
      {BOLD_OPEN "News" BOLD_CLOSE "\r\nguest [" KAI "]", ""},
      {"[\x90\x56]" BOLD_OPEN "Drama" BOLD_CLOSE " part 2 [\x90\xb6]", "[\x90\x56][\x90\xb6]"},
      {BOLD_OPEN "News[" JI "]" BOLD_CLOSE "[\x83\x66]", "[\x83\x66]"},  // a mark in bold is the title's
      {"News [" JI "]\r\nguest", ""},                                  // no bold: the title line is the title
      {BOLD_OPEN BOLD_CLOSE "[" JI "]", ""},                              // an empty bold part is none
      {BOLD_OPEN "X" BOLD_CLOSE "\x81\x5b" JI "]", ""},                  // ー's second byte is no "["
      {BOLD_OPEN "X" BOLD_CLOSE "[S][1/12345]", "[S]"},
      {BOLD_OPEN "X" BOLD_CLOSE "[\x90\x56][" JI "][\x90\x56]", "[\x90\x56][" JI "]"},  // a mark the page repeats, once
  };
  for (const auto& c : cases) {
    ProgrammeCell cell;
    cell.body = c.body;
    cell.updateDetailOffset();
    EXPECT_EQ(c.marks, titleLineMarks(cell)) << os::cp932ToUtf8(c.body);
  }
}

// The day's records carry the title line's marks, and the XMLTV title shows
// them beside the elements that stand for some of them.
TEST(XmltvDocument, TheTitleShowsTheTitleLinesMarks) {
  SettingsStore settings;
  ChannelIds ids(settings);
  Listing listing;
  ProgrammeTable table;
  DayTableBuilder day(table);
  const int column = day.channel("CH8");
  day.programme(column, 21, 0, 60, BOLD_OPEN "News" BOLD_CLOSE "[" JI "][" KAI "]\r\nguest");
  day.fillEmptySlots();
  appendDayRecords(table, dayNumber(2003, 12, 4), ids, listing.programmes);
  ASSERT_EQ(1u, listing.programmes.size());
  EXPECT_EQ("News", listing.programmes[0].title);
  const std::string xml = xmltvDocument(listing);
  EXPECT_NE(std::string::npos, xml.find("<title lang=\"ja\">News[\xe5\xad\x97][\xe8\xa7\xa3]</title>")) << xml;
  EXPECT_NE(std::string::npos, xml.find("<subtitles type=\"teletext\"/>"));
}

// The English names media centres colour by, and the names earlier exports
// wrote, name the same genres for `--genre` and for the XMLTV import.
TEST(GenreNames, TheEnglishNamesOfNowAndBeforeNameTheSameGenres) {
  const struct {
    const char* name;
    std::vector<int> numbers;
  } cases[] = {
      {"Children's / Youth Programmes", {3}},
      {"youth programmes", {3}},
      {"Leisure / Hobbies", {7}},
      {"leisure hobbies", {7}},
      {"General Movie / Drama", {0, 2}},
      {"Movie / Drama", {0, 2}},
      {"movie", {0, 2}},
      {"general", {}},
      {"", {}},
  };
  for (const auto& c : cases) {
    std::vector<int> numbers;
    for (const GenreRow* row : genreRowsNamed(c.name)) numbers.push_back(row->number);
    EXPECT_EQ(c.numbers, numbers) << c.name;
  }
  EXPECT_STREQ("Leisure / Hobbies", genreNameEnglish(7));
  for (const char* category : {"General Movie / Drama", "Movie / Drama"}) {
    EXPECT_EQ(0, genreOf(genreColourOfCategories({category}))) << category;
  }
  for (const char* category : {"Leisure / Hobbies", "Leisure hobbies"}) {
    EXPECT_EQ(7, genreOf(genreColourOfCategories({category}))) << category;
  }
  EXPECT_EQ(kNoGenre, genreOf(genreColourOfCategories({""})));
}

TEST(IcsDocument, LinesAreFoldedBetweenCharactersAndTextIsEscaped) {
  Listing listing;
  ProgrammeRecord record;
  record.channel = "CH8";
  record.channelId = "ch8.tokyo.jp";
  record.start = guideMinute(dayNumber(2026, 12, 4), 24 * 60 + 30);  // 00:30 Japan time
  record.stop = record.start + 30;
  record.title = "a,b;c\\d";
  for (int i = 0; i < 40; ++i) record.description += "\x82\xa0";  // あ, three octets in UTF-8
  record.description += "\nend";
  listing.programmes.push_back(record);
  const std::string ics = icsDocument(listing, record.start);
  EXPECT_NE(std::string::npos, ics.find("\r\nUID:ch8.tokyo.jp-20261205T0030@rokuban\r\n"));
  EXPECT_NE(std::string::npos, ics.find("\r\nDTSTART:20261204T153000Z\r\nDTEND:20261204T160000Z\r\n"));
  EXPECT_NE(std::string::npos, ics.find("\r\nSUMMARY:a\\,b\\;c\\\\d\r\n"));
  std::string unfolded;
  for (std::size_t at = 0, end; (end = ics.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = ics.substr(at, end - at);
    EXPECT_GE(75u, line.size()) << line;
    EXPECT_NE(0x80, static_cast<unsigned char>(line[line[0] == ' ' ? 1 : 0]) & 0xC0) << line;
    unfolded += line[0] == ' ' ? line.substr(1) : "|" + line;
  }
  std::string description = "|DESCRIPTION:";
  for (int i = 0; i < 40; ++i) description += "\xe3\x81\x82";
  EXPECT_NE(std::string::npos, unfolded.find(description + "\\nend|"));
}

TEST(ChannelIds, DerivedIdsHaveTheDottedFormAndPinsAreChecked) {
  const std::regex dotted("^[-a-zA-Z0-9]+(\\.[-a-zA-Z0-9]+)+$");
  struct Case {
    const char* name;
    const char* area;
    const char* expected;  // whole id, or its start when it ends in a hash
  };
  const Case cases[] = {
      {"NHK", "tokyo", "nhk.tokyo.jp"},
      {"\x82\x61\x82\x72 TV-1", "_3", "bs-tv-1-"},  // full-width "BS", then a hash
      {"\x93\x8c\x93\x73", "osaka", "ch-"},         // nothing in ASCII: a hash alone
      {"", "", "ch-811c9dc5.area.jp"},
  };
  for (const Case& c : cases) {
    const std::string id = derivedChannelId(c.name, c.area);
    EXPECT_EQ(0u, id.find(c.expected)) << id;
    EXPECT_TRUE(std::regex_match(id, dotted)) << id;
    EXPECT_TRUE(isValidChannelId(id));
    EXPECT_EQ(id, derivedChannelId(c.name, c.area));
  }
  EXPECT_NE(derivedChannelId("\x93\x8c\x93\x73", "tokyo"), derivedChannelId("\x93\x8c\x8b\x9e", "tokyo"));
  for (const char* bad : {"", "nodot", ".a.b", "a..b", "a.b.", "a b.c", "a.b\x82\x60"}) {
    EXPECT_FALSE(isValidChannelId(bad)) << bad;
  }

  SettingsStore settings;
  settings.setString("xmltvid", "NHK", "nhk1.example.org");
  settings.setString("xmltvid", "Bad", "bad id");
  ChannelIds ids(settings);
  EXPECT_EQ("nhk1.example.org", ids.idFor("NHK"));
  EXPECT_EQ("bad.tokyo.jp", ids.idFor("Bad"));
  EXPECT_EQ("bad.tokyo.jp", ids.idFor("Bad"));
  ASSERT_EQ(1u, ids.refusals().size());
  EXPECT_NE(std::string::npos, ids.refusals()[0].find("Bad=bad id"));
}

// A document's ids: kept when plain and not another channel's, below a pin.
TEST(ChannelIds, SourceIdsAreKeptWhenPlainAndUniqueAndYieldToPins) {
  SettingsStore settings;
  settings.setString("xmltvid", "Pinned", "pin.example");
  ChannelIds ids(settings);
  ids.setSourceIds({{"A", "3273601024"}, {"B", "3273601024"}, {"C", "bad id"}, {"D", std::string(65, 'd')},
                    {"E", "I10021.json_sd.org"}, {"Pinned", "src.example"}});
  EXPECT_EQ("3273601024", ids.idFor("A"));
  EXPECT_EQ(derivedChannelId("B", settings.area()), ids.idFor("B"));  // a renamed channel's second name
  EXPECT_EQ(derivedChannelId("C", settings.area()), ids.idFor("C"));
  EXPECT_EQ(derivedChannelId("D", settings.area()), ids.idFor("D"));
  EXPECT_EQ("I10021.json_sd.org", ids.idFor("E"));
  EXPECT_EQ("pin.example", ids.idFor("Pinned"));
}

// Cycles of every length and records already in place.
TEST(ProgrammeRecords, PlacedInOrderWithoutASecondCopy) {
  std::vector<ProgrammeRecord> records(7);
  for (std::size_t i = 0; i < records.size(); ++i) records[i].title = std::string(20, static_cast<char>('a' + i));
  std::vector<std::size_t> order = {3, 1, 0, 2, 6, 4, 5};
  const std::vector<std::size_t> wanted = order;
  placeInOrder(records, order);
  for (std::size_t k = 0; k < records.size(); ++k)
    EXPECT_EQ(std::string(20, static_cast<char>('a' + wanted[k])), records[k].title) << k;
}

TEST(ProgrammeRecords, KeptInOrderInPlaceOrGatheredWhenFew) {
  for (const std::vector<std::size_t>& wanted : {std::vector<std::size_t>{5, 1}, std::vector<std::size_t>{6, 0, 3, 2}}) {
    std::vector<ProgrammeRecord> records(7);
    for (std::size_t i = 0; i < records.size(); ++i) records[i].title = std::string(20, static_cast<char>('a' + i));
    std::vector<std::size_t> kept = wanted;
    keepInOrder(records, kept);
    ASSERT_EQ(wanted.size(), records.size());
    for (std::size_t k = 0; k < records.size(); ++k)
      EXPECT_EQ(std::string(20, static_cast<char>('a' + wanted[k])), records[k].title) << k;
  }
}

// A crawled day with one slot's table file broken, and a day never crawled.
TEST(CollectListing, SkipsMissingDaysAndNamesIncompleteOnes) {
  CrawledDemoDay demo;
  ASSERT_EQ(6, demo.crawl());
  GuideCache& cache = demo.cache;

  ListingRange range = defaultListingRange(demo.now);
  range.days = 2;
  const Listing whole = collectListing(cache, range);
  EXPECT_TRUE(whole.incompleteDays.empty());
  range.detail = RecordDetail::Times;
  const Listing times = collectListing(cache, range);
  ASSERT_EQ(whole.programmes.size(), times.programmes.size());
  for (std::size_t i = 0; i < times.programmes.size(); ++i) {
    const ProgrammeRecord& a = whole.programmes[i];
    const ProgrammeRecord& b = times.programmes[i];
    EXPECT_TRUE(a.channel == b.channel && a.start == b.start && a.stop == b.stop && b.title.empty()) << i;
  }
  range.detail = RecordDetail::Whole;
  ASSERT_EQ(1u, whole.missingDays.size());
  const CalendarDate& missing = whole.missingDays[0];
  EXPECT_EQ(dayNumber(range.from.year, range.from.month, range.from.day) + 1,
            dayNumber(missing.year, missing.month, missing.day));
  ASSERT_TRUE(writeWholeFile(cache.tableFileName(slotKey(range.from, 13)), std::string("\x0eTvProgramTable\x05", 16)));
  const Listing broken = collectListing(cache, range);
  ASSERT_EQ(1u, broken.incompleteDays.size());
  EXPECT_EQ(range.from.day, broken.incompleteDays[0].day);
  EXPECT_LT(broken.programmes.size(), whole.programmes.size());
  EXPECT_GT(broken.programmes.size(), 0u);
}

TEST(XmltvFile, WrittenWholeOnlyWhenAskedFor) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  const DateTime now = currentDateTime();
  EXPECT_TRUE(refreshXmltvFile(settings, now));  // no "xmltvfile": nothing to do
  settings.setXmltvFile(folder.file("missing") + "/guide.xml");
  EXPECT_FALSE(refreshXmltvFile(settings, now));
  settings.setXmltvFile(folder.file("guide.xml"));
  ASSERT_TRUE(writeWholeFile(folder.file("guide.xml"), "old"));
  EXPECT_TRUE(refreshXmltvFile(settings, now));
  EXPECT_EQ(0u, readWholeFile(folder.file("guide.xml")).find("<?xml"));
  EXPECT_FALSE(isFile(folder.file("guide.xml.new")));
}

}  // namespace
