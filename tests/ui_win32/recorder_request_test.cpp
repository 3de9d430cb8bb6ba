// Enter on a programme with a recorder set: the recorder is asked on a
// thread of its own and its answer comes to the window as a message.
#include "ui/reserve_programme.h"

#include <gtest/gtest.h>

#include "recorder/recorder_client.h"
#include "tests/support/recorder_double.h"
#include "ui/model/watch_announcement.h"

namespace {

TEST(RecorderRequestTest, TheAnswerIsPostedToTheWindow) {
  const long long eightPm = 1796727600000LL, programmeId = 327360102400005LL;  // 2026-12-08 20:00
  RecorderDouble recorder;
  recorder.addProgramme({programmeId, 3273601024LL, eightPm, eightPm + 3600000LL, "x"});
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  ProgrammeRecord record;
  record.channelId = "3273601024";
  record.title = "x";
  record.start = guideMinuteOfMilliseconds(eightPm);
  record.stop = record.start + 60;
  record.editExtra().broadcast.programmeId = programmeId;

  askRecorderToReserve(window, recorder.url(), record, {});
  // Ends: the client's own time limit bounds every ask, and its answer is always posted.
  WatchAnnouncement* said = nullptr;
  MSG message;
  while (!said && GetMessageA(&message, window, 0, 0) > 0) {
    if (message.message == kShowReservation) said = reinterpret_cast<WatchAnnouncement*>(message.lParam);
  }
  ASSERT_NE(nullptr, said);
  EXPECT_EQ(1, said->reserved);
  delete said;
  EXPECT_EQ(1u, recorder.reserves().size());
  DestroyWindow(window);
}

}  // namespace
