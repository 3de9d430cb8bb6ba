// The web guide marks what the recorder holds, read-only: by programme id
// or by channel id and start, the reserves asked at most once a minute.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.h"
#include "recorder/recorder_client.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recorder_double.h"
#include "webguide/day_page.h"
#include "webguide/page_language.h"
#include "webguide/reserve_marks.h"

namespace {

ProgrammeRecord programme(const char* channelId, GuideMinute start, long long programmeId = 0) {
  ProgrammeRecord record;
  record.channel = channelId;
  record.channelId = channelId;
  record.start = start;
  record.stop = start + 60;
  record.title = "T";
  record.editExtra().broadcast.programmeId = programmeId;
  return record;
}

TEST(ReserveMarks, TheDayPageMarksTheProgrammesTheRecorderHolds) {
  const int day = dayNumber(2026, 12, 8);
  const GuideMinute eightPm = guideMinute(day, 20 * 60);
  RecorderDouble recorder(4);
  recorder.addProgramme({327360102400005LL, 3273601024LL, unixMillisecondsOf(eightPm),
                         unixMillisecondsOf(eightPm + 60), "P"});
  FakeClock clock;
  clock.now = 1796700000;
  RecorderClient client(recorder.url(), clock);
  ReserveRequest byId, byTime;
  reserveRequestOf(programme("3273601024", eightPm, 327360102400005LL), byId);
  reserveRequestOf(programme("400211", eightPm + 60), byTime);
  ASSERT_EQ(RecorderOutcome::Done, client.add(byId).outcome);
  ASSERT_EQ(RecorderOutcome::Done, client.add(byTime).outcome);

  SettingsStore settings;
  RecorderReserveCache cache;
  EXPECT_TRUE(cache.marks(settings, clock).empty());  // no recorder: never asked
  settings.section("_config")["recorder"] = recorder.url();
  const ReserveMarks marks = cache.marks(settings, clock);
  EXPECT_TRUE(marks.holds(programme("3273601024", eightPm, 327360102400005LL)));
  EXPECT_TRUE(marks.holds(programme("400211", eightPm + 60)));
  EXPECT_FALSE(marks.holds(programme("400211", eightPm)));
  const std::size_t asked = recorder.requests().size();
  clock.now += 59;
  cache.marks(settings, clock);
  EXPECT_EQ(asked, recorder.requests().size());  // within the minute: not asked again

  Listing listing;
  listing.channels = {{"400211", "400211"}};
  listing.programmes = {programme("400211", eightPm), programme("400211", eightPm + 60)};
  PageClock pageClock;
  pageClock.today = CalendarDate{2026, 12, 8, 2};
  pageClock.now = eightPm - 600;
  const PageTexts& texts = pageTexts(PageLanguage::kEnglish);
  const std::string page = dayPage(listing, pageClock.today, pageClock, texts, &marks);
  EXPECT_EQ(page.find("<em class=\"rsv\">Reserved</em>"), page.rfind("<em class=\"rsv\">Reserved</em>"));
  EXPECT_NE(std::string::npos, page.find("<time>21:00</time> <em class=\"rsv\">Reserved</em> T"));
  EXPECT_EQ(dayPage(listing, pageClock.today, pageClock, texts), dayPage(listing, pageClock.today, pageClock, texts, nullptr));
  EXPECT_EQ(std::string::npos, dayPage(listing, pageClock.today, pageClock, texts).find("rsv"));
}

}  // namespace
