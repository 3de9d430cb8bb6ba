// The exports checked by outside tools: the XMLTV validator of the XMLTV
// project (Debian xmltv-util, offline with its own DTD), Python's JSON
// reader and Debian's iCalendar parser (python3-icalendar); the demo
// week's export against what `show` lists; the search verbs' exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <set>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/genre_names.h"
#include "listing/ics_writer.h"
#include "listing/json_writer.h"
#include "listing/xmltv_file.h"
#include "listing/xmltv_writer.h"
#include "net/clock.h"
#include "os/text.h"
#include "tests/support/fake_clock.h"
#include "tests/support/listing_fixture.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "watch/watch_change_memory.h"
#include "xmltv/xmltv_import.h"

namespace {

int run(const std::string& command) { return std::system(command.c_str()); }

int validateXmltv(const std::string& path) {
  return run("XMLTV_SUPPLEMENT=/usr/share/xmltv tv_validate_file '" + path + "' >/dev/null");
}

int validateJson(const std::string& path) { return run("python3 -m json.tool '" + path + "' >/dev/null"); }

std::string output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return text;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
  pclose(pipe);
  return text;
}

// The title line without its "[字]"-style marks: an XMLTV title brings
// them back inside the bold title.
std::string withoutMarks(const std::string& lines) {
  return std::regex_replace(lines, std::regex("\\[[^\\]\\n]{1,4}\\]"), "");
}

std::string cli(const std::string& ini) { return std::string(ROKUBAN_CLI) + " --ini '" + ini + "' "; }

// Crawls the demo week from a demo guide on loopback into `folder`'s cache,
// the settings saved as `ini` for the command-line tool; false on failure.
bool crawlDemoWeek(const TempFolder& folder, SettingsStore& settings, const std::string& ini,
                   const DateTime& now) {
  FakeClock clock;
  DemoGuideServer server{DemoGuideOptions()};
  if (!server.start()) return false;
  settings.load(ini);
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  settings.section("_config")["directory"] = folder.file("cache");
  if (!settings.save()) return false;
  GuideCache cache{settings};
  cache.setClock(&clock);
  RecordingProgress progress;
  const int crawled = cache.crawl(now, 6, progress);
  cache.setClock(nullptr);
  return crawled == 42;
}

TEST(ExportValidation, CraftedDaysAfterMidnightAndAtFiveValidate) {
  TempFolder folder;
  SettingsStore settings;
  const Listing listing = craftedListing(settings);
  ASSERT_TRUE(writeFileAtomically(folder.file("crafted.xml"), xmltvDocument(listing)));
  ASSERT_TRUE(writeFileAtomically(folder.file("crafted.json"), programmesJson(listing)));
  EXPECT_EQ(0, validateXmltv(folder.file("crafted.xml")));
  EXPECT_EQ(0, validateJson(folder.file("crafted.json")));
}

// The demo week crawled into a fresh cache, exported by the command-line
// tool, validated, and compared day by day and channel by channel with the
// dates, starts and stops `show --channel` lists.
TEST(ExportValidation, DemoWeekValidatesAndAgreesWithShow) {
  TempFolder folder;
  SettingsStore settings;
  const DateTime now = currentDateTime();
  ASSERT_TRUE(crawlDemoWeek(folder, settings, folder.file("Rokuban.ini"), now));
  GuideCache cache{settings};

  const ListingRange range = defaultListingRange(now);
  const std::string ini = folder.file("Rokuban.ini");
  const std::string week = folder.file("week.xml");
  ASSERT_EQ(0, run(cli(ini) + "export xmltv --from " + isoDate(range.from) + " --out '" + week + "'"));
  EXPECT_EQ(0, validateXmltv(week));
  ASSERT_EQ(0, run(cli(ini) + "export json --days 7 > '" + folder.file("week.json") + "'"));
  EXPECT_EQ(0, validateJson(folder.file("week.json")));

  const Listing listing = collectListing(cache, range);
  EXPECT_EQ(xmltvDocument(listing), readWholeFile(week));
  EXPECT_TRUE(listing.missingDays.empty());
  // A channel that is not there leaves the file as it was.
  writeWholeFile(week, "kept");
  EXPECT_EQ("1\n", output(cli(ini) + "export xmltv --channel nosuch --out '" + week + "' 2>/dev/null; echo $?"));
  EXPECT_EQ("kept", readWholeFile(week));
  // "MM/DD HH:MM-HH:MM channel title" of every programme, per broadcast date:
  // the XMLTV title is the title line without its bold brackets.
  std::map<std::string, std::multiset<std::string>> exported, shown;
  for (const ProgrammeRecord& record : listing.programmes) {
    const DateTime start = dateTimeOfMinute(record.start - 5 * 60);  // back to its broadcast date
    const CalendarDate date{start.year, start.month, start.day, 0};
    const std::string from = xmltvTime(record.start), to = xmltvTime(record.stop);
    exported[isoDate(date)].insert(from.substr(4, 2) + "/" + from.substr(6, 2) + " " + from.substr(8, 2) + ":" +
                                   from.substr(10, 2) + "-" + to.substr(8, 2) + ":" + to.substr(10, 2) + " " +
                                   os::cp932ToUtf8(record.channel + " " + record.title + record.titleMarks));
  }
  ASSERT_EQ(7u, exported.size());
  for (const auto& day : exported) {
    for (const ListingChannel& channel : listing.channels) {
      const std::string name = os::cp932ToUtf8(channel.name);
      std::string lines = output(cli(ini) + "show --date " + day.first + " --channel '" + name + "'");
      for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::regex boldBrackets("\xe3\x80\x90|\xe3\x80\x91");  // 【 】
        shown[day.first].insert(std::regex_replace(lines.substr(at, end - at), boldBrackets, ""));
      }
    }
    EXPECT_EQ(day.second, shown[day.first]) << day.first;
  }

  // Discovery: the channel names in order; English genre names and a part
  // of a channel name pick what the exact names pick.
  const std::string date = " --date " + isoDate(range.from);
  std::string names;
  for (const ListingChannel& channel : listing.channels) names += os::cp932ToUtf8(channel.name) + "\n";
  EXPECT_EQ(names, output(cli(ini) + "channels" + date));
  EXPECT_EQ(output(cli(ini) + "show" + date + " --genre '" + os::cp932ToUtf8(genreNameJapanese(4)) + "'"),
            output(cli(ini) + "show" + date + " --genre sports"));
  const std::string last = os::cp932ToUtf8(listing.channels.back().name);
  std::string prefix = last;  // without its last character
  while ((prefix.back() & 0xC0) == 0x80) prefix.pop_back();
  prefix.pop_back();
  EXPECT_EQ(output(cli(ini) + "show" + date + " --channel '" + last + "'"),
            output(cli(ini) + "show" + date + " --channel '" + prefix + "'"));
}

// The demo week's XMLTV export imported into an empty cache gives the same
// programmes: channel, start, title and genre, and the same `show` lines.
TEST(ExportValidation, DemoWeekExportImportsBackToTheSameGuide) {
  TempFolder folder;
  SettingsStore original;
  GuideCache originalCache{original};
  const DateTime now = currentDateTime();
  ASSERT_TRUE(crawlDemoWeek(folder, original, folder.file("original.ini"), now));
  RecordingProgress progress;
  const ListingRange range = defaultListingRange(now);
  const Listing before = collectListing(originalCache, range);
  ASSERT_TRUE(writeFileAtomically(folder.file("week.xml"), xmltvDocument(before)));

  SettingsStore imported;
  GuideCache importedCache{imported};
  imported.load(folder.file("imported.ini"));
  imported.section("_config")["directory"] = folder.file("imported");
  ASSERT_TRUE(imported.save());
  const int from = dayNumber(range.from.year, range.from.month, range.from.day);
  ASSERT_EQ(42, importXmltv(importedCache, folder.file("week.xml"), from, from + 6, progress));
  const Listing after = collectListing(importedCache, range);

  auto programmes = [](const Listing& listing) {
    std::multiset<std::string> lines;
    for (const ProgrammeRecord& record : listing.programmes) {
      lines.insert(record.channel + "\t" + xmltvTime(record.start) + "\t" + record.title + record.titleMarks +
                   "\t" + std::to_string(record.genre));
    }
    return lines;
  };
  EXPECT_EQ(programmes(before), programmes(after));

  for (int day = from; day <= from + 6; ++day) {
    const CalendarDate date = dateFromDayNumber(day);
    for (const char* view : {" --hour 7", " --hour 21", " --hour 25"}) {
      const std::string show = "show --date " + isoDate(date) + view;
      EXPECT_EQ(withoutMarks(output(cli(folder.file("original.ini")) + show)),
                withoutMarks(output(cli(folder.file("imported.ini")) + show)))
          << show;
    }
  }
}

// Reads the calendar and the JSON records of the same search and prints
// "ok N" when every event carries its record's times (Japan time), title,
// description and channel, and a unique UID.
const char kCompareCalendar[] = R"(
import icalendar, json, sys
from datetime import timedelta, timezone
japan = timezone(timedelta(hours=9))
events = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read()).walk('VEVENT')
records = json.load(open(sys.argv[2], encoding='utf-8'))
def iso(value):
    return value.dt.astimezone(japan).isoformat()
problems = [(str(e['SUMMARY']), iso(e['DTSTART']), r['title'], r['start'])
            for e, r in zip(events, records)
            if (iso(e['DTSTART']), iso(e['DTEND']), str(e['SUMMARY']), str(e.get('DESCRIPTION', '')),
                str(e['LOCATION'])) != (r['start'], r['stop'], r['title'], r['description'], r['channel'])]
uids = set(str(e['UID']) for e in events)
print(problems[:3] if problems or len(events) != len(records) or len(uids) != len(events) else 'ok %d' % len(events))
)";

TEST(ExportValidation, SearchCalendarParsesWithTheRecordsTimesAndExitCodesTellTheOutcome) {
  TempFolder folder;
  SettingsStore settings;
  const std::string ini = folder.file("Rokuban.ini");
  ASSERT_TRUE(crawlDemoWeek(folder, settings, ini, currentDateTime()));
  const std::string query = "search --genre sports -" + os::cp932ToUtf8("\x8d\xc4");  // -再
  ASSERT_EQ(0, run(cli(ini) + query + " --ics --out '" + folder.file("found.ics") + "'"));
  ASSERT_EQ(0, run(cli(ini) + query + " --json --out '" + folder.file("found.json") + "'"));
  ASSERT_EQ(0, run(cli(ini) + query + " --xmltv --out '" + folder.file("found.xml") + "'"));
  EXPECT_EQ(0, validateXmltv(folder.file("found.xml")));
  writeWholeFile(folder.file("compare.py"), kCompareCalendar);
  const std::string compared = output("/usr/bin/python3 '" + folder.file("compare.py") + "' '" +
                                      folder.file("found.ics") + "' '" + folder.file("found.json") + "'");
  EXPECT_EQ(0u, compared.find("ok ")) << compared;
  EXPECT_NE("ok 0\n", compared);

  EXPECT_EQ(1, WEXITSTATUS(run(cli(ini) + "search xyzzy")));
  EXPECT_EQ(2, WEXITSTATUS(run(cli(ini) + "search --regex '(' 2>/dev/null")));
  EXPECT_EQ(2, WEXITSTATUS(run(cli(ini) + "search 2>/dev/null")));

  // A damaged entry is named; the good one announces its matches once.
  ASSERT_EQ(0, run(cli(ini) + "watch add --genre sports >/dev/null"));
  settings.load(ini);
  settings.setString("watch", "7", "--time 99");
  ASSERT_TRUE(settings.save());
  const std::string check = cli(ini) + "watch check 2>&1";
  const std::string first = output(check);
  EXPECT_NE(std::string::npos, first.find("watch entry 7 is damaged")) << first;
  EXPECT_LE(2, std::count(first.begin(), first.end(), '\n')) << first;  // and at least one programme
  EXPECT_EQ(1, WEXITSTATUS(run(cli(ini) + "watch check >/dev/null 2>&1")));
  EXPECT_EQ(0, WEXITSTATUS(run(cli(ini) + "watch check --all >/dev/null 2>&1")));
}

}  // namespace

// Two feeds of a watch list, before and after a refresh moved one programme
// and cancelled another, each event as "UID SEQUENCE STATUS DTSTART".
const char kCalendarRevisions[] = R"(
import icalendar, sys
from datetime import timedelta, timezone
japan = timezone(timedelta(hours=9))
for path in sys.argv[1:]:
    for e in icalendar.Calendar.from_ical(open(path, 'rb').read()).walk('VEVENT'):
        modified = 'modified' if e.get('LAST-MODIFIED') else '-'
        print(e['UID'], e.get('SEQUENCE', 0), e.get('STATUS', '-'), modified,
              e['DTSTART'].dt.astimezone(japan).strftime('%H:%M'))
    print('--')
)";

TEST(ExportValidation, AMovedProgrammeKeepsItsEventAndACancelledOneIsMarked) {
  TempFolder folder;
  const int day = dayNumber(2026, 12, 7);
  const auto programme = [&](int start, int length, const char* title) {
    ProgrammeRecord record;
    record.channel = record.channelId = "a.tokyo.jp";
    record.start = guideMinute(day, start);
    record.stop = record.start + length;
    record.title = title;
    return record;
  };
  Listing before, after;
  before.programmes = {programme(21 * 60, 60, "Drama"), programme(23 * 60, 30, "Film")};
  after.programmes = {programme(21 * 60 + 30, 60, "Drama"), programme(22 * 60 + 30, 60, "Special")};
  SettingsStore settings;
  const GuideMinute refreshed = guideMinute(day, 19 * 60);
  rememberChanges(settings, watchChanges(before, after, before.programmes), refreshed);
  const std::vector<RememberedChange> changes = rememberedChanges(settings);
  Listing watched = after;
  watched.programmes.pop_back();
  ASSERT_TRUE(writeFileAtomically(folder.file("before.ics"), icsDocument(before, refreshed - 60)));
  ASSERT_TRUE(writeFileAtomically(folder.file("after.ics"),
                                  icsDocument(watched, refreshed, icsHistoryOf(changes, after))));
  writeWholeFile(folder.file("revisions.py"), kCalendarRevisions);
  EXPECT_EQ("a.tokyo.jp-20261207T2100@rokuban 0 - - 21:00\n"
            "a.tokyo.jp-20261207T2300@rokuban 0 - - 23:00\n--\n"
            "a.tokyo.jp-20261207T2100@rokuban 1 - modified 21:30\n"
            "a.tokyo.jp-20261207T2300@rokuban 1 CANCELLED modified 23:00\n--\n",
            output("/usr/bin/python3 '" + folder.file("revisions.py") + "' '" + folder.file("before.ics") + "' '" +
                   folder.file("after.ics") + "'"));
}
