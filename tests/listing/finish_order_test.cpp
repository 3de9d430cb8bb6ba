// finishRecords' order: the channels of the order first, in it, then the
// others by name; each channel's programmes by start, equal starts joined,
// whatever order the days and pages left them in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/day_records.h"

namespace {

ProgrammeRecord record(const char* channel, GuideMinute start, const char* title) {
  ProgrammeRecord made;
  made.channel = channel;
  made.start = start;
  made.stop = start + 30;
  made.title = title;
  return made;
}

TEST(FinishOrder, OrderedChannelsFirstThenTheOthersByNameEachByStart) {
  std::vector<ProgrammeRecord> records = {
      record("Zed", 100, "z1"),  record("CH2", 200, "c2b"), record("Alpha", 300, "a2"), record("CH1", 100, "c1"),
      record("CH2", 100, "c2a"), record("Alpha", 100, "a1"), record("Zed", 50, "z0"),   record("CH2", 200, "c2 again"),
  };
  finishRecords(records, {"CH1", "CH2"});
  std::string titles;
  for (const ProgrammeRecord& finished : records) titles += finished.title + "|";
  EXPECT_EQ("c1|c2a|c2b|a1|a2|z0|z1|", titles);
}

}  // namespace
