// A generated grabber's document imported and read back: every programme
// once, with its own start and stop, in the records every output writes,
// in the show lines and in the reservation, whatever the document's order,
// offsets, gaps, overlaps and missing stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/day_schedule.h"
#include "listing/listing.h"
#include "listing/programme_extras.h"
#include "os/text.h"
#include "programme/programme_table.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "ui/model/reservation.h"
#include "xmltv/xmltv_import.h"

namespace {

using Programme = std::tuple<std::string, GuideMinute, GuideMinute, std::string>;  // channel, start, stop, title

constexpr int kDays = 4;
const int kFirstDay = dayNumber(2026, 12, 7);

GuideMinute dayStart(int day) { return guideMinute(day, 5 * 60); }

// A Japan-time minute as the grabber writes it, at `offset` minutes from UTC.
std::string stamp(GuideMinute japan, int offset) {
  const DateTime t = dateTimeOfMinute(japan - 9 * 60 + offset);
  const int size = offset < 0 ? -offset : offset;
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d00 %c%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                offset < 0 ? '-' : '+', size / 60, size % 60);
  return text;
}

struct Generated {
  std::string document;
  std::set<Programme> expected;  // Shift-JIS texts, after the overlap rule
};

// Three channels of kDays days: lengths of 5 minutes to 2.5 hours, a gap now
// and then; each programme written with or without its stop, with a stop at
// its start (length unknown) or one running past the next start, which the
// next then cuts; offsets +0000, +0900 and -0500; in shuffled order. The
// first channel's last programme has a stop, the second's none (it ends at
// its four-hour slot).
Generated grabberDocument(unsigned seed) {
  const char* names[] = {"Alpha", "\xe3\x83\x99\xe3\x83\xbc\xe3\x82\xbf", "Gamma & Co"};  // ベータ
  const char* titles[] = {"News 7", "Film 2026", "Q&A", "\xe5\xa4\xa9\xe6\xb0\x97",  // 天気
                          "\xe3\x83\x89\xe3\x83\xa9\xe3\x83\x9e\xe3\x80\x8c\xe6\xb5\xb7\xe3\x80\x8d", "Late show"};
  const int lengths[] = {5, 15, 30, 45, 60, 90, 150};
  const int gaps[] = {10, 30, 90};
  const int offsets[] = {0, 9 * 60, -5 * 60};
  std::minstd_rand dice(seed);
  auto roll = [&](int n) { return static_cast<int>(dice() % static_cast<unsigned>(n)); };

  Generated out;
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv generator-info-name=\"grabber\">\n";
  std::vector<std::string> elements;
  for (int c = 0; c < 3; ++c) {
    const std::string id = "c" + std::to_string(c) + ".example";
    std::string escapedName = names[c];
    if (c == 2) escapedName = "Gamma &amp; Co";
    xml += "  <channel id=\"" + id + "\"><display-name>" + escapedName + "</display-name></channel>\n";
    std::vector<Programme> timeline;
    const GuideMinute end = dayStart(kFirstDay + kDays) - 3 * 60;
    for (GuideMinute t = dayStart(kFirstDay) + 7 * c;;) {
      if (roll(5) == 0) t += gaps[roll(3)];
      const GuideMinute stop = t + lengths[roll(7)];
      if (stop > end) break;
      timeline.emplace_back(names[c], t, stop, titles[roll(6)]);
      t = stop;
    }
    if (c == 1) {  // runs on, without a stop, to the end of its slot
      const GuideMinute last = std::get<2>(timeline.back());
      const GuideMinute slotEnd = dayStart(kFirstDay) + ((last - dayStart(kFirstDay)) / 240 + 1) * 240;
      timeline.emplace_back(names[c], last, slotEnd, "Close");
    }
    for (std::size_t i = 0; i < timeline.size(); ++i) {
      const auto& [channel, start, stop, title] = timeline[i];
      const bool last = i + 1 == timeline.size();
      const bool nextFollows = !last && std::get<1>(timeline[i + 1]) == stop;
      const int offset = offsets[roll(3)];
      int shape = roll(4);  // 0 its stop, 1 none, 2 a stop at its start, 3 a stop past the next start
      if (last) shape = c == 1 ? 1 : 0;
      else if (!nextFollows && shape != 3) shape = 0;
      std::string element = "  <programme start=\"" + stamp(start, offset) + "\"";
      if (shape == 0) element += " stop=\"" + stamp(stop, offset) + "\"";
      if (shape == 2) element += " stop=\"" + stamp(start, offset) + "\"";
      if (shape == 3) element += " stop=\"" + stamp(std::get<1>(timeline[i + 1]) + 20, offset) + "\"";
      std::string escapedTitle = title == "Q&A" ? "Q&amp;A" : title;
      element += " channel=\"" + id + "\"><title>" + escapedTitle + "</title></programme>\n";
      elements.push_back(element);
      out.expected.emplace(os::utf8ToCp932(channel), start, shape == 3 ? std::get<1>(timeline[i + 1]) : stop,
                           os::utf8ToCp932(title));
    }
  }
  std::shuffle(elements.begin(), elements.end(), dice);
  for (const std::string& element : elements) xml += element;
  out.document = xml + "</tv>\n";
  return out;
}

// What the generator must have made for the test to mean something.
bool crosses(const std::set<Programme>& programmes, int minuteOfDay) {
  for (const Programme& p : programmes) {
    const GuideMinute start = std::get<1>(p), stop = std::get<2>(p);
    for (int day = kFirstDay; day <= kFirstDay + kDays; ++day) {
      const GuideMinute at = guideMinute(day, minuteOfDay);
      if (start < at && at < stop) return true;
    }
  }
  return false;
}

TEST(XmltvRoundTrip, EveryProgrammeOnceWithItsOwnTimesInEveryOutput) {
  const Generated generated = grabberDocument(24);
  ASSERT_TRUE(crosses(generated.expected, 5 * 60));
  ASSERT_TRUE(crosses(generated.expected, 24 * 60));

  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  GuideCache cache{settings};
  RecordingProgress progress;
  writeWholeFile(folder.file("in.xml"), generated.document);
  ASSERT_EQ(6 * kDays, importXmltv(cache, folder.file("in.xml"), kFirstDay, kFirstDay + kDays - 1, progress));

  ListingRange range;
  range.from = dateFromDayNumber(kFirstDay);
  range.days = kDays;
  const Listing listing = collectListing(cache, range);
  std::set<Programme> exported;
  for (const ProgrammeRecord& r : listing.programmes) {
    EXPECT_TRUE(exported.emplace(r.channel, r.start, r.stop, r.title).second) << "twice: " << r.title;
  }
  EXPECT_EQ(generated.expected.size(), exported.size());
  std::vector<Programme> missing, invented;
  std::set_difference(generated.expected.begin(), generated.expected.end(), exported.begin(), exported.end(),
                      std::back_inserter(missing));
  std::set_difference(exported.begin(), exported.end(), generated.expected.begin(), generated.expected.end(),
                      std::back_inserter(invented));
  for (const Programme& p : missing) ADD_FAILURE() << "missing " << std::get<1>(p) << "-" << std::get<2>(p);
  for (const Programme& p : invented) ADD_FAILURE() << "invented " << std::get<1>(p) << "-" << std::get<2>(p);

  // Each cell the window lists finds its programme, and the reservation
  // hands over its own start and end.
  ProgrammeTable day, nextDay;
  for (int number = kFirstDay; number < kFirstDay + kDays; ++number) {
    const DaySchedule schedule(listing.programmes, number);
    cache.loadDay(dateFromDayNumber(number), day);
    cache.loadDay(dateFromDayNumber(number + 1), nextDay);
    ViewState view;
    view.date = dateFromDayNumber(number);
    view.day = number;
    for (std::size_t column = 1; column < day.columnCount(); ++column) {
      const std::string channel = day.cellAt(column, 0)->body;
      for (std::size_t row = 1; row < day.rowCount(column); row += day.cellAt(column, row)->rowSpan) {
        const ProgrammeCell& cell = *day.cellAt(column, row);
        if (cell.body.empty()) continue;
        const ProgrammeRecord* record = schedule.recordOf(day, channel, cell);
        ASSERT_NE(nullptr, record) << cell.timeText;
        const DateTime start = dateTimeOfMinute(record->start), stop = dateTimeOfMinute(record->stop);
        char times[40];
        std::snprintf(times, sizeof times, " %04d%02d%02d %02d%02d %02d%02d ", start.year, start.month, start.day,
                      start.hour, start.minute, stop.hour, stop.minute);
        EXPECT_EQ(channel.size(), reservationArguments(day, cell, view, &nextDay).find(times)) << times;
      }
    }
  }
}

// A programme running past the last imported day has no later table to end
// it: the side file keeps its stop, which a later day's table still cuts.
TEST(XmltvRoundTrip, AProgrammePastTheLastDayKeepsItsStop) {
  const GuideMinute late = guideMinute(kFirstDay, 28 * 60 + 30);  // 04:30 of the next morning
  const std::string document =
      "<tv><channel id=\"a\"><display-name>A</display-name></channel>"
      "<programme start=\"" + stamp(late - 60, 0) + "\" stop=\"" + stamp(late, 0) +
      "\" channel=\"a\"><title>Before</title></programme>"
      "<programme start=\"" + stamp(late, 540) + "\" stop=\"" + stamp(late + 90, 540) +
      "\" channel=\"a\"><title>Late</title></programme></tv>";
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  GuideCache cache{settings};
  RecordingProgress progress;
  writeWholeFile(folder.file("in.xml"), document);
  ASSERT_EQ(6, importXmltv(cache, folder.file("in.xml"), kFirstDay, kFirstDay, progress));
  ListingRange range;
  range.from = dateFromDayNumber(kFirstDay);
  range.days = 2;
  const Listing listing = collectListing(cache, range);
  ASSERT_EQ(2u, listing.programmes.size());
  EXPECT_EQ(late + 90, listing.programmes[1].stop);
  // The window's reservation of it, with no next day held.
  ProgrammeTable day, nextDay;
  cache.loadDay(dateFromDayNumber(kFirstDay), day);
  const ProgrammeCell& cell = *day.cellAt(1, day.rowCount(1) - 1);
  ASSERT_EQ(late + 90, keptStopOf(cache, day, cell, kFirstDay));
  ViewState view;
  view.date = dateFromDayNumber(kFirstDay);
  view.day = kFirstDay;
  EXPECT_NE(std::string::npos,
            reservationArguments(day, cell, view, &nextDay, keptStopOf(cache, day, cell, kFirstDay)).find(" 0430 0600 "));
}

}  // namespace
