// WatchAnnouncer: the watch list's check in the window, at start-up and
// after every run of the connect dialog: the automatic entries' new
// matches go to the recording tool (once each, only when it lies beside
// the program), what was announced and reserved is remembered in the
// settings file, and the window keeps a record of the last announcement.
//
// Test hook: kDescribeAnnouncement, sent to the main window with lParam =
// a window of the asker, copies "balloons count reserved title\ntext" (the
// balloons raised since start, the last one's new matches, reservations
// and texts) back as WM_COPYDATA with dwData kAnnouncementTag. The result
// is the number of balloons, -1 when no reply went back.
#pragma once

#include <windows.h>

#include <vector>

#include "search/watch_changes.h"
#include "ui/model/watch_announcement.h"

constexpr UINT kDescribeAnnouncement = WM_APP + 0x302;
constexpr ULONG_PTR kAnnouncementTag = kDescribeAnnouncement;

// Checks the watch list. True with what the one balloon of this check
// says; false when nothing is new (no balloon then). `changes` are what
// the guide just written did to the watched programmes: the reserved ones
// that moved are handed to the recording tool again.
bool checkWatchListNow(const std::vector<WatchChange>& changes, WatchAnnouncement& announcement);

LRESULT describeAnnouncement(HWND mainWindow, LPARAM replyWindow);
