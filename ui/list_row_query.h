// Test hook: lets a program outside (the end-to-end driver) read what the
// owner-drawn lists show. Read-only; nothing in the program sends these.
//
// kListQuery, sent to either list window: wParam is a ListQuery, the
// result the number asked for.
// kDescribeListRow, sent to the main window: wParam = MAKEWPARAM(row,
// list: 0 hour list, 1 programme list), lParam = a buffer of
// kRowDescriptionSize bytes in the main window's process. The row is
// written there as "%06X %06X text": background and text colour as drawn
// (COLORREF), then the text. The result is the text length, -1 for no row.
#pragma once

#include <windows.h>

constexpr UINT kListQuery = WM_APP + 0x300;
constexpr UINT kDescribeListRow = WM_APP + 0x301;
constexpr int kRowDescriptionSize = 1024;

enum ListQuery { kQueryCount = 0, kQuerySelected = 1, kQueryTop = 2, kQueryRowHeight = 3 };

LRESULT describeListRow(WPARAM rowAndList, LPARAM buffer);
