// The recorder client against the stand-in of the recorder's API: each
// answer's meaning, the conflicts named, and what counts as reserved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder/recorder_client.h"
#include "recorder/recorder_reservations.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recorder_double.h"

namespace {

// 2026-12-08 20:00 Japan time.
const long long kEightPm = 1796727600000LL;
const long long kHour = 3600000LL;
const long long kProgrammeId = 327360102400005LL;

// Each look at the time is a second later: a dripped answer runs out of time.
class TickingClock : public FakeClock {
 public:
  std::int64_t nowSeconds() override { return ++now; }
};

ProgrammeRecord programme(const std::string& channelId, long long startAt, long long programmeId = 0) {
  ProgrammeRecord record;
  record.channel = "T";
  record.channelId = channelId;
  record.title = "\x83\x68\x83\x89\x83\x7d";  // ドラマ
  record.start = guideMinuteOfMilliseconds(startAt);
  record.stop = record.start + 60;
  record.editExtra().broadcast.programmeId = programmeId;
  return record;
}

class RecorderClientTest : public ::testing::Test {
 protected:
  RecorderClientTest() : client(recorder.url() + "/", clock) {
    // ドラマ🈦: the broadcast's enclosed mark, as the recorder names it.
    recorder.addProgramme(
        {kProgrammeId, 3273601024LL, kEightPm, kEightPm + kHour, "\xe3\x83\x89\xe3\x83\xa9\xe3\x83\x9e\xf0\x9f\x88\xa6"});
  }
  FakeClock clock;
  RecorderDouble recorder;
  RecorderClient client;
};

TEST_F(RecorderClientTest, ReservesByProgrammeOrTimeAndSaysWhatTheRecorderAnswered) {
  ReserveRequest request;
  ASSERT_TRUE(reserveRequestOf(programme("3273601024", kEightPm, kProgrammeId), request));
  RecorderResult result = client.add(request);
  EXPECT_EQ(RecorderOutcome::Done, result.outcome);
  EXPECT_EQ(1, result.reserveId);
  EXPECT_EQ("POST /api/reserves {\"programId\": 327360102400005, \"allowEndLack\": true}", recorder.requests()[0]);
  EXPECT_EQ(RecorderOutcome::AlreadyReserved, client.add(request).outcome);  // not an error

  request.programId = 327360102400099LL;
  result = client.add(request);
  EXPECT_EQ(RecorderOutcome::NotFound, result.outcome);
  EXPECT_EQ("HTTP 500 ProgramIsNotFound: ProgramIsNotFound", result.answer);

  // A channel id of digits and no programme id: a reserve of the time, here
  // an hour that every tuner already records: refused, naming the reserve met.
  ASSERT_TRUE(reserveRequestOf(programme("3273601032", kEightPm + kHour / 2), request));
  EXPECT_EQ(0, request.programId);
  result = client.add(request);
  EXPECT_EQ(RecorderOutcome::Conflict, result.outcome);
  ASSERT_EQ(1u, result.conflicts.size());
  EXPECT_EQ(1, result.conflicts[0].id);
  EXPECT_EQ("\x83\x68\x83\x89\x83\x7d[\x89\x89]", result.conflicts[0].name);  // the guide's [演]
  EXPECT_EQ(1u, recorder.reserves().size());  // nothing stored

  ASSERT_TRUE(reserveRequestOf(programme("3273601032", kEightPm + 2 * kHour), request));
  EXPECT_EQ(RecorderOutcome::Done, client.add(request).outcome);
  EXPECT_NE(std::string::npos, recorder.requests().back().find("\"timeSpecifiedOption\": {\"name\": \"\xe3\x83\x89"
                                                               "\xe3\x83\xa9\xe3\x83\x9e\", \"channelId\": 3273601032"));
  EXPECT_EQ(RecorderOutcome::AlreadyReserved, client.add(request).outcome);  // the same times again
  request.name.clear();
  result = client.add(request);
  EXPECT_EQ(RecorderOutcome::Refused, result.outcome);
  EXPECT_EQ(0u, result.answer.find("HTTP 400 request.body.timeSpecifiedOption"));

  // Held but skipped (a rule's reserve cancelled): it will not record.
  recorder.skip(1);
  ASSERT_TRUE(reserveRequestOf(programme("3273601024", kEightPm, kProgrammeId), request));
  result = client.add(request);
  EXPECT_EQ(RecorderOutcome::Refused, result.outcome);
  EXPECT_NE(std::string::npos, result.answer.find("; its reserve #1 is skipped")) << result.answer;

  // A guide service's channel has no id the recorder knows.
  EXPECT_FALSE(reserveRequestOf(programme("ch-906c01f9.tokyo.jp", kEightPm), request));
}

TEST_F(RecorderClientTest, ListsEveryPageAndCancels) {
  for (int i = 0; i < 130; ++i) {
    ReserveRequest request;
    reserveRequestOf(programme("400211", kEightPm + (i + 2) * kHour), request);
    ASSERT_EQ(RecorderOutcome::Done, client.add(request).outcome);
  }
  std::vector<RecorderReserve> reserves;
  EXPECT_EQ(RecorderOutcome::Done, client.list(reserves).outcome);
  ASSERT_EQ(130u, reserves.size());
  EXPECT_EQ(130, reserves.back().id);
  EXPECT_EQ(400211, reserves.back().channelId);
  EXPECT_TRUE(reserves.back().isTimeSpecified);
  EXPECT_EQ("#1 12/08 22:00-23:00 BS \x83\x68\x83\x89\x83\x7d", reserveLine(reserves[0], "BS"));

  EXPECT_EQ(RecorderOutcome::Done, client.cancel(7).outcome);
  const RecorderResult again = client.cancel(7);
  EXPECT_EQ(RecorderOutcome::NotFound, again.outcome);
  EXPECT_STREQ("no such reserve", recorderOutcomeEnglish(again.outcome, true));
  EXPECT_EQ(129u, recorder.reserves().size());

  recorder.giveToRule(8);
  const RecorderResult ofRule = client.cancel(8);
  EXPECT_EQ(RecorderOutcome::Done, ofRule.outcome);
  EXPECT_TRUE(ofRule.keptSkipped);  // kept, skipped: said as such
  EXPECT_FALSE(again.keptSkipped);
}

TEST_F(RecorderClientTest, OnlyWhatTheRecorderHoldsCountsAsReserved) {
  const std::vector<ProgrammeRecord> matches = {
      programme("3273601024", kEightPm, kProgrammeId), programme("ch-906c01f9.tokyo.jp", kEightPm + kHour),
      programme("3273601024", kEightPm, kProgrammeId),  // reserved already: kept as reserved
      programme("3273601032", kEightPm + 3 * kHour)};
  RecorderReservations done = reserveWithRecorder(client, matches);
  ASSERT_EQ(3u, done.reserved.size());
  ASSERT_EQ(1u, done.refused.size());
  EXPECT_EQ(RecorderOutcome::NoChannelId, done.refused[0].result.outcome);
  EXPECT_NE(std::string::npos, refusalLine(done.refused[0], true).find(": the channel has no id the recorder knows"));

  // A recorder gone: the first refusal says so, the rest wait unasked.
  recorder.die();
  done = reserveWithRecorder(client, {programme("3273601032", kEightPm + 5 * kHour), programme("3273601032", kEightPm + 6 * kHour)});
  EXPECT_TRUE(done.reserved.empty());
  ASSERT_EQ(1u, done.refused.size());
  EXPECT_EQ(RecorderOutcome::Unreachable, done.refused[0].result.outcome);
  EXPECT_EQ(1, done.left);
}

TEST(RecorderClient, ASlowRecorderRunsOutOfTime) {
  TickingClock clock;
  RecorderDouble recorder;
  recorder.answerSlowly(1);
  RecorderClient client(recorder.url(), clock);
  client.setTimeLimit(20);
  std::vector<RecorderReserve> reserves;
  EXPECT_EQ(RecorderOutcome::TimedOut, client.list(reserves).outcome);
}

}  // namespace
