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
