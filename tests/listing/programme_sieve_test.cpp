// Records read through a sieve: those it keeps are the whole listing's,
// times and all, though their neighbours were never built.
#include <gtest/gtest.h>

#include <vector>

#include "config/settings_store.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "listing/listing.h"
#include "listing/programme_sieve.h"
#include "tests/support/crawled_demo_day.h"
#include "tests/ui_model/day_table_builder.h"

namespace {

// Every other half hour's starts: refused neighbours on each side.
class HalfHourSieve : public ProgrammeSieve {
 public:
  bool keeps(const ProgrammeRecord& draft) const override {
    seenTexts = seenTexts || !draft.title.empty();
    return draft.start / 30 % 2 == 0;
  }
  mutable bool seenTexts = false;
};

// Keeps the programmes whose title begins with "Keep".
class TitleSieve : public ProgrammeSieve {
 public:
  bool keeps(const ProgrammeRecord& draft) const override { return draft.title.compare(0, 4, "Keep") == 0; }
};

// Two days of one channel whose stops finishRecords decides: a title's end
// past the next programme's start, and a programme over 05:00 in both days'
// tables, kept under its later day's title only.
std::vector<ProgrammeRecord> twoDays(const ProgrammeSieve* sieve) {
  SettingsStore settings;
  ChannelIds ids(settings);
  std::vector<ProgrammeRecord> records;
  SievedTimes sieved;
  sieved.sieve = sieve;
  SievedTimes* sieving = sieve ? &sieved : nullptr;
  ProgrammeTable table;
  {
    DayTableBuilder day(table);
    const int column = day.channel("CH8");
    day.programme(column, 20, 0, 30, "Keep special\x81\x60" "9:30");
    day.programme(column, 21, 0, 60, "News");
    day.programme(column, 22, 0, 60, "Keep drama");
    day.programme(column, 28, 30, 30, "Late film");
    day.fillEmptySlots();
    appendDayRecords(table, dayNumber(2003, 12, 4), ids, records, RecordDetail::Whole, sieving);
  }
  {
    DayTableBuilder day(table);
    const int column = day.channel("CH8");
    day.programme(column, 5, 0, 30, "Keep late film")->timeText = "04:30";
    day.programme(column, 5, 30, 30, "Keep morning");
    day.fillEmptySlots();
    appendDayRecords(table, dayNumber(2003, 12, 5), ids, records, RecordDetail::Whole, sieving);
  }
  if (sieve) finishRecords(records, sieved.times, {"CH8"});
  else finishRecords(records, {"CH8"});
  return records;
}

TEST(ProgrammeSieve, RefusedProgrammesStillCutStopsAndJoinAcrossDays) {
  TitleSieve sieve;
  const std::vector<ProgrammeRecord> whole = twoDays(nullptr);
  std::vector<ProgrammeRecord> expected;
  for (const ProgrammeRecord& record : whole)
    if (sieve.keeps(record)) expected.push_back(record);
  const std::vector<ProgrammeRecord> sieved = twoDays(&sieve);
  ASSERT_EQ(3u, expected.size());  // special, drama, morning; the film goes by its first title
  ASSERT_EQ(expected.size(), sieved.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].title, sieved[i].title);
    EXPECT_EQ(expected[i].start, sieved[i].start);
    EXPECT_EQ(expected[i].stop, sieved[i].stop) << expected[i].title;
  }
  EXPECT_EQ(expected[0].stop, whole[1].start);  // the special's stop is the news's start
}

TEST(ProgrammeSieve, KeepsTheWholeListingsRecordsOfWhatItKeeps) {
  CrawledDemoDay demo;
  ASSERT_EQ(6, demo.crawl());
  GuideCache& cache = demo.cache;

  ListingRange range = defaultListingRange(demo.now);
  const Listing whole = collectListing(cache, range);
  HalfHourSieve sieve;
  range.sieve = &sieve;
  const Listing sieved = collectListing(cache, range);
  EXPECT_TRUE(sieve.seenTexts);
  std::vector<ProgrammeRecord> expected;
  for (const ProgrammeRecord& record : whole.programmes)
    if (sieve.keeps(record)) expected.push_back(record);
  ASSERT_GT(expected.size(), 10u);
  ASSERT_LT(expected.size(), whole.programmes.size());
  ASSERT_EQ(expected.size(), sieved.programmes.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ProgrammeRecord& a = expected[i];
    const ProgrammeRecord& b = sieved.programmes[i];
    EXPECT_TRUE(a.channel == b.channel && a.channelId == b.channelId && a.start == b.start && a.stop == b.stop &&
                a.title == b.title && a.titleMarks == b.titleMarks && a.description == b.description &&
                a.genre == b.genre && a.flags == b.flags)
        << i;
  }
  EXPECT_EQ(whole.channels.size(), sieved.channels.size());
  EXPECT_EQ(whole.missingDays.size(), sieved.missingDays.size());
}

}  // namespace
