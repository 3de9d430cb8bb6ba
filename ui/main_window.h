// The main window: the program's one top-level window ("Rokuban"). It holds
// the toolbar row, the hour and programme lists and the detail pane, owns
// the tray icon (ui/tray_icon.h), opens the dialogs and keeps the daily
// schedule.
// Its state lives here as process-wide values.
#pragma once

#include <windows.h>

#include "ui/model/resource_ids.h"

LRESULT CALLBACK mainWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The main popup menu at `point` (x low, y high word) in the client
// coordinates of `source`; the choice comes back as WM_COMMAND.
void showPopupMenu(HWND source, DWORD point);

// Gives the focus to `window`, or back to the window that last had it
// through this routine when `window` is null.
void setFocus(HWND window);
