// A matcher as a day's sieve keeps what it finds in the whole day's
// records, where a word's pair lies whole in a cell's body and where the
// texts made of the body join it from two parts.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "search/programme_matcher.h"
#include "tests/support/search_week.h"
#include "tests/ui_model/day_table_builder.h"

namespace {

std::string titlesOf(const std::vector<ProgrammeRecord>& records) {
  std::string titles;
  for (const ProgrammeRecord& record : records) titles += record.title + "|";
  return titles;
}

TEST(SievedDay, KeepsWhatTheMatcherFindsInTheWholeDayWhereverTheWordsPairLies) {
  // 﨑 is 0xED 0x95 (and 0xFA 0xB1): the join of two bracketed parts, or a
  // line end CR without LF dropped, makes the pair from the body's halves.
  ProgrammeTable table;
  DayTableBuilder day(table);
  const int column = day.channel("CH1");
  day.programme(column, 6, 0, 60, "\x81\x79Whole \xED\x95\x81\x7A\r\nabout");
  day.programme(column, 7, 0, 60, "\x81\x79Joined \xED\x81\x7A \x81\x79\x95 title\x81\x7A\r\nabout");
  day.programme(column, 8, 0, 60, "CR\r\ndetails \xED\r\x95 end");
  day.programme(column, 9, 0, 60, "Other \xFA\xB1\r\nabout");
  day.programme(column, 10, 0, 60, "Neither\r\n\xED \x95");
  day.fillEmptySlots();

  ProgrammeQuery query;
  QueryProblem problem;
  ProgrammeMatcher matcher;
  ASSERT_TRUE(parseQueryText(search_week::sj("﨑"), query, problem) && matcher.compile(query, problem));
  SettingsStore settings;
  ChannelIds ids(settings);
  std::vector<ProgrammeRecord> whole;
  appendDayRecords(table, dayNumber(2026, 12, 11), ids, whole);
  std::vector<ProgrammeRecord> expected;
  for (const ProgrammeRecord& record : whole)
    if (matcher.matches(record)) expected.push_back(record);

  std::vector<ProgrammeRecord> sieved;
  SievedTimes times;
  times.sieve = &matcher;
  appendDayRecords(table, dayNumber(2026, 12, 11), ids, sieved, RecordDetail::Whole, &times);
  EXPECT_EQ(4u, expected.size());
  EXPECT_EQ(titlesOf(expected), titlesOf(sieved));
  EXPECT_EQ(whole.size(), times.times.size());
}

}  // namespace
