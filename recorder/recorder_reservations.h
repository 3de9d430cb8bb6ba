// RecorderReservations: the watch list's matches to reserve handed to the
// recorder one by one, and what each answer means for the memory: only a
// programme the recorder now holds counts as reserved; a refusal is said,
// and a recorder that cannot be reached or does not answer in time leaves
// that match and the ones after it for the next check.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "recorder/recorder_client.h"
#include "watch/watch_change_memory.h"

class SettingsStore;

struct RecorderRefusal {
  ProgrammeRecord record;
  RecorderResult result;
};

struct RecorderReservations {
  std::vector<ProgrammeRecord> reserved;  // the recorder holds them: remember these
  // For each of `reserved`: the recorder's reserve when it held it before
  // it was asked (a rule's, or reserved by hand), else 0.
  std::vector<long long> heldAs;
  std::vector<RecorderRefusal> refused;   // said, and tried again at the next check
  int left = 0;                           // not asked: the recorder was gone
};

RecorderReservations reserveWithRecorder(RecorderClient& client, const std::vector<ProgrammeRecord>& toReserve);

// A reserved programme that moved (a remembered change whose programme is
// remembered as reserved at its new times): the recorder follows a move
// itself, so it is never asked again; only told whether it did.
struct MovedReservation {
  ProgrammeRecord now;      // the programme at its new times (channel id, start, stop, title)
  RememberedChange change;
};
std::vector<MovedReservation> movedReservations(const std::vector<RememberedChange>& changes,
                                                const SettingsStore& settings);
// The recorder's reserve of a moved programme at its new times (by programme
// id, else channel id and start); null when the recorder lost it.
const RecorderReserve* followingReserve(const MovedReservation& moved, const std::vector<RecorderReserve>& reserves);

// One line for a refusal: "<match line>: <why> (<answer>)", and for a
// conflict the reserves it meets ("#12 12/08 20:00-21:00 channel name"), on
// the names `channels` gives their ids. Shift-JIS, the reason in Japanese
// or in English.
std::string refusalLine(const RecorderRefusal& refusal, bool english,
                        const std::vector<ListingChannel>& channels = std::vector<ListingChannel>());
// The guide's name of the recorder's channel `channelId`; "" when the
// guide has none.
std::string guideChannelName(const std::vector<ListingChannel>& channels, long long channelId);
// "#12 12/08 20:00-21:00 name [conflict]" of a reserve (Shift-JIS).
std::string reserveLine(const RecorderReserve& reserve, const std::string& channelName);
