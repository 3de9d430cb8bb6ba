// RecorderReservations: the watch list's matches to reserve handed to the
// recorder one by one, and what each answer means for the memory: only a
// programme the recorder now holds counts as reserved; a refusal is said,
// and a recorder that cannot be reached or does not answer in time leaves
// that match and the ones after it for the next check.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"
#include "recorder/recorder_client.h"

struct RecorderRefusal {
  ProgrammeRecord record;
  RecorderResult result;
};

struct RecorderReservations {
  std::vector<ProgrammeRecord> reserved;  // the recorder holds them: remember these
  std::vector<RecorderRefusal> refused;   // said, and tried again at the next check
  int left = 0;                           // not asked: the recorder was gone
};

RecorderReservations reserveWithRecorder(RecorderClient& client, const std::vector<ProgrammeRecord>& toReserve);

// One line for a refusal: "<match line>: <why> (<answer>)", and for a
// conflict the reserves it meets ("#12 12/08 20:00-21:00 name"). Shift-JIS,
// the reason in Japanese or in English.
std::string refusalLine(const RecorderRefusal& refusal, bool english);
// "#12 12/08 20:00-21:00 name [conflict]" of a reserve (Shift-JIS).
std::string reserveLine(const RecorderReserve& reserve, const std::string& channelName);
