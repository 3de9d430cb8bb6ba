// The pages for people: query parameters, what a day's page writes (and
// never writes unescaped), and which requests get a 400 page.
#include <gtest/gtest.h>

#include <regex>

#include "config/settings_store.h"
#include "os/os.h"
#include "tests/support/temp_folder.h"
#include "webguide/day_page.h"
#include "webguide/inline_source_hash.h"
#include "webguide/page_language.h"
#include "webguide/query_parameters.h"
#include "webguide/search_page.h"
#include "webguide/watch_page.h"
#include "webguide/web_pages.h"

namespace {

TEST(QueryParameters, FormEncodingIsDecodedAndBadEscapesRefused) {
  struct Case {
    const char* query;
    const char* name;
    int found;
    const char* value;
  };
  const Case cases[] = {
      {"date=2026-12-07&q=a+b%26c", "q", 1, "a b&c"},
      {"q=%E6%9D%B1&q=second", "q", 1, "\xE6\x9D\xB1"},
      {"qq=1&q", "q", 1, ""},
      {"date=1", "q", 0, ""},
      {"", "q", 0, ""},
      {"q=%zz", "q", -1, ""},
      {"q=%4", "q", -1, ""},
  };
  for (const Case& c : cases) {
    std::string value;
    EXPECT_EQ(c.found, queryParameter(c.query, c.name, value)) << c.query;
    if (c.found == 1) {
      EXPECT_EQ(c.value, value) << c.query;
    }
  }
  WebRequest request;
  ASSERT_EQ(200, parseWebRequest("GET /?date=x#frag HTTP/1.0\r\n\r\n", request));
  EXPECT_EQ("/", request.path);
  EXPECT_EQ("date=x", request.query);
}

// The policy's hashes must be exact, or browsers refuse the pages' style.
TEST(InlineSourceHash, KnownDigests) {
  EXPECT_EQ("'sha256-47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU='", inlineSourceHash(""));
  EXPECT_EQ("'sha256-ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0='", inlineSourceHash("abc"));
  EXPECT_EQ("'sha256-/+BU/nrgy23GXDr5th1SCfQ5hR20PQulmXM33xVGaOs='", inlineSourceHash(std::string(64, 'a')));
}

ProgrammeRecord record(const char* channel, int day, int startMinute, int length, const char* title) {
  ProgrammeRecord programme;
  programme.channel = channel;
  programme.channelId = std::string(channel) == "A" ? "a.tokyo.jp" : "b.tokyo.jp";
  programme.start = guideMinute(day, startMinute);
  programme.stop = programme.start + length;
  programme.title = title;
  return programme;
}

// Markup in every text of the guide comes out as text; the programme
// running now is marked and its hour is the row to scroll to; a long
// programme is named again at the top of each later hour.
TEST(DayPage, TextsAreEscapedAndNowIsMarked) {
  const CalendarDate date{2026, 12, 7, 1};
  const int day = dayNumber(2026, 12, 7);
  Listing listing;
  listing.channels = {{"A", "a.tokyo.jp"}, {"<b>B</b>", "b.tokyo.jp"}};
  listing.programmes = {record("A", day, 20 * 60, 150, "<script>alert(\"x\")</script>'&"),
                        record("A", day, 22 * 60 + 30, 60, "Late"),
                        record("<b>B</b>", day, 25 * 60, 30, "After midnight")};
  listing.programmes[0].description = "line</p><img src=x onerror=y>";
  listing.programmes[0].genre = 2;
  PageClock clock;
  clock.today = date;
  clock.now = guideMinute(day, 21 * 60 + 10);

  const std::string page = dayPage(listing, date, clock, pageTexts(PageLanguage::kEnglish));
  EXPECT_EQ(std::string::npos, page.find("<script>alert"));
  EXPECT_EQ(std::string::npos, page.find("<b>B"));
  EXPECT_EQ(std::string::npos, page.find("<img"));
  EXPECT_NE(std::string::npos, page.find("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&apos;&amp;"));
  EXPECT_NE(std::string::npos, page.find("<details class=\"p g2 now\" id=\"p-a.tokyo.jp-2000\">"));
  EXPECT_NE(std::string::npos, page.find("<tr id=\"h21\" class=\"nowrow\">"));
  EXPECT_NE(std::string::npos, page.find("id=\"p-b.tokyo.jp-0100\"><summary><time>01:00</time>"));
  const std::regex continuation("href=\"#p-a\\.tokyo\\.jp-2000\"");
  EXPECT_EQ(2, std::distance(std::sregex_iterator(page.begin(), page.end(), continuation), std::sregex_iterator()));
  // Every element the page opens it closes, so no text can end one early.
  for (const char* element : {"details", "summary", "td", "tr", "p", "a"}) {
    const std::regex open(std::string("<") + element + "[ >]"), close(std::string("</") + element + ">");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), open), std::sregex_iterator()),
              std::distance(std::sregex_iterator(page.begin(), page.end(), close), std::sregex_iterator()))
        << element;
  }
}

TEST(WebPages, DatesOutsideTheWeekAndBadSearchesGetA400Page) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  WebPages pages(settings, [] { return DateTime{2026, 12, 7, 3, 0}; });  // broadcast date 12/6
  const struct {
    const char* query;
    int status;
  } cases[] = {
      {"", 200},           {"date=2026-12-05", 200}, {"date=2026-12-12", 200}, {"date=2026-12-04", 400},
      {"date=2026-12-13", 400}, {"date=2026-02-30", 400}, {"date=%zz", 400},     {"date=tomorrow", 400},
  };
  const std::string tooLong = "q=" + std::string(kMaxSearchBytes + 1, 'a');
  const struct {
    std::string query;
    int status;
  } searches[] = {
      {"q=", 200},          {"q=a+-b", 200}, {"q=--regex+%28", 400}, {"q=%22open", 400},
      {"q=--genre+xyz", 400}, {"q=%zz", 400},  {tooLong, 400},
  };
  for (const auto& c : cases) {
    WebRequest request;
    request.query = c.query;
    const WebResponse response = pages.day(request);
    EXPECT_EQ(c.status, response.status) << c.query;
    EXPECT_EQ("text/html; charset=utf-8", response.contentType);
    EXPECT_EQ(5u, response.headers.size());
  }
  for (const auto& c : searches) {
    WebRequest request;
    request.query = c.query;
    EXPECT_EQ(c.status, pages.search(request).status) << c.query;
  }
}

TEST(PageLanguage, AcceptLanguageChoosesEnglishOnlyWhenPreferred) {
  const struct {
    const char* header;
    PageLanguage language;
  } cases[] = {
      {"", PageLanguage::kJapanese},
      {"en", PageLanguage::kEnglish},
      {"en-US,en;q=0.9", PageLanguage::kEnglish},
      {"ja,en;q=0.8", PageLanguage::kJapanese},
      {"en;q=0.8,ja", PageLanguage::kJapanese},
      {"en-US,en;q=0.9,ja;q=0.8", PageLanguage::kEnglish},
      {"en;q=0.5,ja;q=0.5", PageLanguage::kJapanese},    // equal: the guide's own language
      {"EN-gb;Q=1.0, JA-jp;q=0.999", PageLanguage::kEnglish},
      {"ja-JP;q=0.2,en;q=0.3", PageLanguage::kEnglish},
      {"fr,de", PageLanguage::kJapanese},                // neither
      {"*;q=0.5,en", PageLanguage::kEnglish},
      {"*,en;q=0.5", PageLanguage::kJapanese},           // "*" gives Japanese 1
      {"ja;q=0,en;q=0.1", PageLanguage::kEnglish},       // Japanese refused
      {"en;q=0", PageLanguage::kJapanese},
      {"english,ja;q=0.5", PageLanguage::kJapanese},     // "english" is no "en" range
      {"en;q=2,ja;q=0.1", PageLanguage::kJapanese},      // a bad q drops its range
      {"en;q=0.1234", PageLanguage::kJapanese},
      {"en;level=1", PageLanguage::kJapanese},
      {" en ; q=0.7 ,, ja;q=0.6", PageLanguage::kEnglish},
      {"ja-JP;q=0.1,ja;q=0.9,en;q=0.5", PageLanguage::kJapanese},  // Japanese's best range counts
      {"*;q=0.9,ja;q=0.1", PageLanguage::kEnglish},      // named Japanese, English by "*"
  };
  for (const auto& c : cases) EXPECT_EQ(c.language, preferredLanguage(c.header)) << c.header;
  WebRequest request;
  ASSERT_EQ(200, parseWebRequest("GET / HTTP/1.0\r\nAccept-Language: en\r\naccept-language: ja;q=0.5\r\n\r\n",
                                 request));
  EXPECT_EQ("en, ja;q=0.5", request.acceptLanguage);
}

// Without the header a page is Japanese; the language is in <html lang>,
// the texts and the refusals, and caches are told it varies.
TEST(WebPages, PagesSpeakTheLanguageTheBrowserPrefers) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  WebPages pages(settings, [] { return DateTime{2026, 12, 8, 12, 0}; });
  const char* const kToday = "\xe4\xbb\x8a\xe6\x97\xa5";                    // 今日
  const char* const kTuesday = "12/8(\xe7\x81\xab)";                          // 12/8(火)
  const char* const kNotClosed = "\xe5\xbc\x95\xe7\x94\xa8\xe7\xac\xa6";  // 引用符
  const struct {
    const char* acceptLanguage;
    const char* lang;
    const char* tab;
    const char* today;
    const char* refusal;
  } cases[] = {
      {"", "<html lang=\"ja\">", kTuesday, kToday, kNotClosed},
      {"ja-JP,en;q=0.9", "<html lang=\"ja\">", kTuesday, kToday, kNotClosed},
      {"en-US,en;q=0.9,ja;q=0.8", "<html lang=\"en\">", "Tue 12/8", ">today<", "quote is not closed"},
  };
  for (const auto& c : cases) {
    WebRequest request;
    request.acceptLanguage = c.acceptLanguage;
    const WebResponse day = pages.day(request);
    EXPECT_NE(std::string::npos, day.body.find(c.lang)) << c.acceptLanguage;
    EXPECT_NE(std::string::npos, day.body.find(c.tab)) << c.acceptLanguage;
    EXPECT_NE(std::string::npos, day.body.find(c.today)) << c.acceptLanguage;
    EXPECT_EQ("Accept-Language", day.headers.back().second);
    request.query = "q=%22open";
    const WebResponse refused = pages.search(request);
    EXPECT_EQ(400, refused.status);
    EXPECT_NE(std::string::npos, refused.body.find(c.refusal)) << c.acceptLanguage;
    EXPECT_NE(std::string::npos, refused.body.find(c.lang)) << c.acceptLanguage;
    EXPECT_NE(std::string::npos, refused.body.find("value=\"&quot;open\"")) << "the box keeps what was typed";
  }
}

// Tabs only for the days the cache holds, and the one asked for.
TEST(WebPages, DaysTheCacheLacksAreNotOffered) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  ASSERT_TRUE(os::createDirectory(folder.file("cache")));
  ASSERT_TRUE(writeWholeFile(folder.file("cache/120805tb.tmp"), "") && writeWholeFile(folder.file("cache/120925tb.htm"), ""));
  WebPages pages(settings, [] { return DateTime{2026, 12, 8, 12, 0}; });
  WebRequest request;
  const std::string today = pages.day(request).body;
  EXPECT_NE(std::string::npos, today.find("href=\"/?date=2026-12-08\""));
  EXPECT_NE(std::string::npos, today.find("href=\"/?date=2026-12-09\""));
  EXPECT_EQ(std::string::npos, today.find("href=\"/?date=2026-12-10\""));
  EXPECT_EQ(std::string::npos, today.find("href=\"/?date=2026-12-07\""));
  request.query = "date=2026-12-11";
  EXPECT_NE(std::string::npos, pages.day(request).body.find("href=\"/?date=2026-12-11\""));
}

// A search page leaves out what has ended by now (a programme ending this
// minute has), counts it and links to the search with it.
TEST(SearchPage, EndedProgrammesAreLeftOutAndCounted) {
  const int day = dayNumber(2026, 12, 8);
  std::vector<ProgrammeRecord> matches = {record("A", day, 18 * 60, 60, "Ended"),
                                          record("A", day, 19 * 60, 60, "Ends now"),
                                          record("A", day, 19 * 60 + 30, 60, "Running"),
                                          record("B", day, 21 * 60, 30, "Later")};
  PageClock clock;
  clock.today = {2026, 12, 8, 2};
  clock.now = guideMinute(day, 20 * 60);
  EXPECT_EQ(2u, leaveOutEnded(matches, clock.now));
  ASSERT_EQ(2u, matches.size());
  EXPECT_EQ("Running", matches[0].title);
  EXPECT_EQ("Later", matches[1].title);

  PageHead head;
  head.searchText = "a b";
  const std::string page = searchPage(matches, 2, head, clock, pageTexts(PageLanguage::kEnglish));
  EXPECT_NE(std::string::npos, page.find("2 matches"));
  EXPECT_NE(std::string::npos, page.find("2 that have ended are not listed."));
  EXPECT_NE(std::string::npos, page.find("href=\"/search?q=a%20b&amp;ended=1\""));
  EXPECT_EQ(std::string::npos, searchPage(matches, 0, head, clock, pageTexts(PageLanguage::kEnglish)).find("ended=1\""));
}


// The watch page: its entries with what each finds now, or why there is
// nothing to list.
TEST(WatchPage, EntriesWithTheirMatchesInThePageLanguage) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  WebPages pages(settings, [] { return DateTime{2026, 12, 8, 12, 0}; });
  WebRequest request;
  EXPECT_NE(std::string::npos, pages.watch(request).body.find("rokuban-cli watch add"));
  settings.section("watch")["3"] = "--channel A news";
  const std::string empty = pages.watch(request).body;
  EXPECT_NE(std::string::npos, empty.find("\xe3\x82\xa6\xe3\x82\xa9\xe3\x83\x83\xe3\x83\x81 3"));  // ウォッチ 3
  EXPECT_NE(std::string::npos, empty.find("href=\"/search?q=--channel%20A%20news\""));

  const PageClock clock{CalendarDate{2026, 12, 8, 2}, guideMinute(0, 12 * 60)};
  const std::vector<WatchPageEntry> entries = {
      {3, "news", {record("A", 0, 19 * 60, 30, "Evening news"), record("B", 0, 22 * 60, 30, "Evening news")},
       {"", "a.tokyo.jp/202612081900"}},
      {5, "drama", {}, {}}};
  RememberedChange moved;
  moved.channelId = "a.tokyo.jp";
  moved.title = "Late film";
  moved.firstStart = guideMinute(0, 21 * 60);
  moved.firstStop = moved.firstStart + 60;
  moved.start = moved.firstStart + 30;
  moved.stop = moved.firstStop + 30;
  const std::string english = watchPage(entries, {moved}, {}, clock, pageTexts(PageLanguage::kEnglish));
  EXPECT_NE(std::string::npos, english.find("Recent changes"));
  EXPECT_NE(std::string::npos, english.find("<li>Moved "));
  EXPECT_NE(std::string::npos, english.find(" 21:00-22:00 a.tokyo.jp Late film -&gt; "));
  EXPECT_NE(std::string::npos, english.find("Watch 3"));
  EXPECT_NE(std::string::npos, english.find("<b>Evening news</b></a></li>"));
  EXPECT_NE(std::string::npos, english.find("<b>Evening news</b></a> <small>re-air of 12/08 19:00</small></li>"));
  EXPECT_NE(std::string::npos, english.find("Watch 5"));
  EXPECT_NE(std::string::npos, english.find("Nothing in this week"));
}

}  // namespace
