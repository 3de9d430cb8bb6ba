// The main window: the program's one top-level window ("Rokuban"). It holds
// the toolbar row, the hour and programme lists and the detail pane, owns
// the tray icon, opens the connect dialog and keeps the daily schedule.
// Its state lives here as process-wide values.
#pragma once

#include <windows.h>

// Command ids of the main window's buttons and menu.
enum MainCommand {
  kCommandQuit = 1,
  kCommandCloseMenu = 2,
  kCommandPreviousDay = 1000,
  kCommandToday = 1001,
  kCommandNextDay = 1002,
  kCommandSettings = 1003,
  kCommandCrawl = 1004,
  kCommandSync = 1005,
};

constexpr UINT kTrayCallbackMessage = WM_APP + 10;  // 0x800A
constexpr UINT_PTR kScheduleTimer = 1006;
constexpr UINT_PTR kTrayRetryTimer = 1011;

LRESULT CALLBACK mainWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The main popup menu at `point` (x low, y high word) in the client
// coordinates of `source`; the choice comes back as WM_COMMAND.
void showPopupMenu(HWND source, DWORD point);

// Gives the focus to `window`, or back to the window that last had it
// through this routine when `window` is null.
void setFocus(HWND window);
