// The texts the connect dialog shows during a job, and how a job ends it.
#include "ui/model/job_display.h"

#include <gtest/gtest.h>

#include "config/version.h"
#include "ui/model/resource_ids.h"

namespace {

const char kFinished[] = "\x8f\x49\x97\xb9";
const char kCancelled[] = "\x92\x86\x92\x66\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

TEST(JobDisplayTest, CountsAndScales) {
  EXPECT_EQ("", byteCountText(0));
  EXPECT_EQ("12345\x83\x6f\x83\x43\x83\x67", byteCountText(12345));
  EXPECT_EQ("\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94:3/42", fileCountText(3, 42));
  EXPECT_EQ(100000, byteBarRange(-1));
  EXPECT_EQ(0, byteBarRange(0));
  EXPECT_EQ(5000, byteBarRange(5000));
  EXPECT_STREQ("v0.4.0.4", kVersionLabel);
}

TEST(JobDisplayTest, FinishedCrawlOrSyncClosesOnlyWithAutoClose) {
  for (int job : {IDC_CRAWL, IDC_SYNC}) {
    JobEnding ending = jobEnding({0, 0, false, job, true});
    EXPECT_EQ(kFinished, ending.status);
    EXPECT_TRUE(ending.closeAfter);
    EXPECT_EQ(0, ending.lingerMilliseconds);
    EXPECT_FALSE(jobEnding({5, 1001, false, job, false}).closeAfter);
  }
  JobEnding deletion = jobEnding({3, 1001, false, IDC_DELETE_ALL, true});
  EXPECT_EQ(kFinished, deletion.status);
  EXPECT_FALSE(deletion.closeAfter);
}

TEST(JobDisplayTest, CancelShowsItsTextOnlyWhenTheJobStillSucceeded) {
  JobEnding cancelled = jobEnding({0, 0, true, IDC_CRAWL, true});
  EXPECT_EQ(kCancelled, cancelled.status);
  EXPECT_FALSE(cancelled.closeAfter);
  JobEnding failed = jobEnding({-1, 0, true, IDC_CRAWL, true});
  EXPECT_EQ("", failed.status);  // the job's own last message stays
  EXPECT_FALSE(failed.closeAfter);
  EXPECT_EQ(0, failed.lingerMilliseconds);
}

TEST(JobDisplayTest, FailedAutomaticJobLingersTenSecondsThenCloses) {
  JobEnding ending = jobEnding({-1, IDC_CRAWL, false, IDC_CRAWL, false});
  EXPECT_EQ(10000, ending.lingerMilliseconds);
  EXPECT_TRUE(ending.closeAfter);
  EXPECT_EQ("", ending.status);
}

}  // namespace
