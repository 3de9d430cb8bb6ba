// The keyboard focus among the main window's controls, remembered so that
// it comes back where it was after a dialog or a menu.
#pragma once

#include <windows.h>

// Gives the focus to `window`, or back to the window that last had it
// through this routine when `window` is null.
void setFocus(HWND window);
