// The main window's standard children: push buttons, the detail pane, and
// one font for all of them.
#pragma once

#include <windows.h>

// A plain push button whose control id is `id`.
HWND createButton(HWND parent, int x, int y, int width, int height, const char* text, int id);
// The multi-line detail pane (control id 0, editable, vertical scroll bar).
HWND createDetailEdit(HWND parent, int x, int y, int width, int height);
// Sends WM_SETFONT (with redraw) to every child of `parent`.
void setFontOnChildren(HWND parent, HFONT font);
