// Handing a programme to what records it: the recorder when the setting
// "recorder" is set, else the companion tool. ProgrammeReserver does it
// for the window's views; askRecorderToReserve is its recorder's half.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "programme/programme_table.h"
#include "ui/model/view_state.h"

class CompanionLauncher;
class GuideCache;
class SettingsStore;
struct ProgrammeCell;

// Posted to the main window with a new WatchAnnouncement (the receiver
// deletes it): what the recorder answered to a reservation, for the balloon.
constexpr UINT kShowReservation = WM_APP + 0x303;

// Asks the recorder at `recorderUrl` to reserve `record` on a thread of its
// own and posts its answer to `owner` (kShowReservation), never waiting;
// the reserves it conflicts with are named by `channels`.
void askRecorderToReserve(HWND owner, const std::string& recorderUrl, const ProgrammeRecord& record,
                          const std::vector<ListingChannel>& channels);

// Posted to the main window with a new std::vector<RecorderReserve> (the
// receiver deletes it): the recorder's reserves, none when it did not answer.
constexpr UINT kShowRecorderReserves = WM_APP + 0x305;

// Asks the recorder at `recorderUrl` for its reserves on a thread of its own
// and posts them to `owner` (kShowRecorderReserves), never waiting.
void askRecorderForReserves(HWND owner, const std::string& recorderUrl);

class ProgrammeReserver {
 public:
  ProgrammeReserver(SettingsStore& settings, GuideCache& cache, const CompanionLauncher& companion)
      : settings_(settings), cache_(cache), companion_(companion) {}
  ProgrammeReserver(const ProgrammeReserver&) = delete;
  ProgrammeReserver& operator=(const ProgrammeReserver&) = delete;

  // Reserves `cell`, a programme of `day` (the table of `view`'s day): in
  // the recorder, its answer posted to `owner`; else by starting
  // "Denpoz.exe" with the cell's reservation arguments.
  void reserveProgramme(HWND owner, const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view);
  // With a recorder set, reserves `record` there and posts the answer to
  // `owner`; false, doing nothing, when none is set.
  bool reserveInRecorder(HWND owner, const ProgrammeRecord& record);
  // The companion tool's arguments, with the day after read from the cache
  // so that a programme still running at 05:00 gets its own end.
  std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view);

 private:
  SettingsStore& settings_;
  GuideCache& cache_;
  const CompanionLauncher& companion_;
  // loadDay keeps a complete day until another is asked for.
  ProgrammeTable dayAfter_;
};
