// SampleSchedule: a made-up but plausible broadcast day (05:00 to 29:00) of
// many channels, the same for the same seed, and the guide page of any of
// its four-hour slots. A programme that crosses a slot boundary appears in
// both pages: cut at the end of the first, and at the top of the second with
// its real start written as "HH:MM", as the service writes it.
#pragma once

#include <string>
#include <vector>

#include "programme/guide_page.h"

struct ScheduledProgramme {
  int channel;
  int start;   // minutes after 05:00 of the broadcast day
  int length;  // minutes
  std::string title;   // Shift-JIS
  std::string detail;  // Shift-JIS, lines separated by "\n"
  int colour;          // 0xRRGGBB: a genre colour or white
  std::vector<std::string> marks;
  bool registration;
};

struct SampleSchedule {
  std::vector<std::string> channels;            // Shift-JIS names
  std::vector<ScheduledProgramme> programmes;   // by channel, then start
};

// A day of `channelCount` channels (names are unique for up to 42).
SampleSchedule sampleSchedule(int channelCount, unsigned seed);

// The page of the slot starting at `slotHour` (5, 9, ..., 25) for the
// channels firstChannel .. firstChannel + channelCount - 1 (all from
// firstChannel on when channelCount is negative).
GuidePage slotPage(const SampleSchedule& schedule, int slotHour, int rowsPerHour = 60,
                   int firstChannel = 0, int channelCount = -1);
