// WatchAnnouncer: the watch list's check in the window, at start-up and
// after every run of the connect dialog: the automatic entries' new
// matches go to the recorder when one is set, else to the recording tool
// (once each, only when it lies beside the program), what was announced
// and reserved is remembered in the settings file, and the announcer keeps
// a record of the last announcement. The main window owns it.
//
// Test hook: kDescribeAnnouncement, sent to the main window with lParam =
// a window of the asker, copies "balloons count reserved title\ntext" (the
// balloons raised since start, the last one's new matches, reservations
// and texts) back as WM_COPYDATA with dwData kAnnouncementTag. The result
// is the number of balloons, -1 when no reply went back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "listing/programme_record.h"
#include "recorder/recorder_reservations.h"
#include "ui/model/watch_announcement.h"
#include "watch/watch_changes.h"
#include "watch/watch_check.h"

constexpr UINT kDescribeAnnouncement = WM_APP + 0x302;
constexpr ULONG_PTR kAnnouncementTag = kDescribeAnnouncement;
// Posted to the check's owner when the recorder has answered for its
// matches; lParam for takeRecorderAnswer.
constexpr UINT kRecorderAnswered = WM_APP + 0x304;

class CompanionLauncher;
class SearchView;
struct WindowContext;

class WatchAnnouncer {
 public:
  WatchAnnouncer(const WindowContext& context, SearchView& search, const CompanionLauncher& companion)
      : context_(context), search_(search), companion_(companion) {}
  WatchAnnouncer(const WatchAnnouncer&) = delete;
  WatchAnnouncer& operator=(const WatchAnnouncer&) = delete;

  // Checks the watch list. True with what the one balloon of this check
  // says; false when nothing is new (no balloon then). `changes` are what
  // the guide just written did to the watched programmes: the reserved ones
  // that moved are handed to the recording tool again.
  // With a recorder set and matches to reserve, the recorder is asked on a
  // thread of its own and this is false: the check ends when `owner` gets
  // kRecorderAnswered. A check asked for meanwhile is held for after it.
  bool checkNow(HWND owner, const std::vector<WatchChange>& changes, WatchAnnouncement& announcement);
  // The end of a check the recorder answered, as checkNow's result.
  bool takeRecorderAnswer(LPARAM answered, WatchAnnouncement& announcement);
  // The changes of the checks held while the recorder answered; false when none was.
  bool takeHeldCheck(std::vector<WatchChange>& changes);

  LRESULT describe(HWND mainWindow, LPARAM replyWindow) const;

 private:
  struct RecorderCheck;
  std::vector<ProgrammeRecord> reserve(const std::vector<ProgrammeRecord>& records);
  bool announceCheck(const std::vector<WatchChange>& changes, const WatchCheck& check, const DateTime& now,
                     bool recorderSet, const RecorderReservations& byRecorder, WatchAnnouncement& announcement);
  void askRecorder(HWND owner, const std::string& recorder, RecorderCheck* pending);

  const WindowContext& context_;
  SearchView& search_;
  const CompanionLauncher& companion_;
  int balloons_ = 0;
  WatchAnnouncement lastAnnouncement_;
  bool recorderAsked_ = false;
  // Changes of checks asked for while the recorder answers: one check after it.
  bool checkHeld_ = false;
  std::vector<WatchChange> heldChanges_;
};
