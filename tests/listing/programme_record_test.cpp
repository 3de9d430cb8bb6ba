// The record's extra: held out of line, yet copied with the record as its
// inline fields are.
#include "listing/programme_record.h"

#include <gtest/gtest.h>

#include <utility>

TEST(ProgrammeRecordTest, ExtraIsCopiedWithTheRecordAndNeverShared) {
  ProgrammeRecord first;
  EXPECT_TRUE(first.extra().subTitle.empty() && first.extra().episodes.empty());
  first.editExtra().subTitle = "a";
  first.editExtra().broadcast.programmeId = 5;

  ProgrammeRecord copy = first;
  copy.editExtra().subTitle = "b";
  EXPECT_EQ("a", first.extra().subTitle);
  EXPECT_EQ(5, copy.extra().broadcast.programmeId);

  ProgrammeRecord assigned;
  assigned = copy;
  assigned.editExtra().episodes.push_back({"onscreen", "1"});
  EXPECT_TRUE(copy.extra().episodes.empty());
  EXPECT_EQ("b", assigned.extra().subTitle);

  const ProgrammeRecord moved = std::move(first);
  EXPECT_EQ("a", moved.extra().subTitle);
  // Writes went to boxes of their own, never to the empty value reads share.
  EXPECT_TRUE(ProgrammeRecord().extra().subTitle.empty());
}
