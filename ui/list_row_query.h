// Test hook: lets a program outside (the end-to-end driver) read what the
// owner-drawn lists show. Read-only; nothing in the program sends these.
// No value that arrives with these messages is ever used as an address in
// this process: any program may send them.
//
// kListQuery, sent to either list window: wParam is a ListQuery, the
// result the number asked for.
// kDescribeListRow, sent to the main window: wParam = MAKEWPARAM(row,
// list: 0 hour list, 1 programme list), lParam = a window of the asker.
// The row goes back to that window as WM_COPYDATA (which carries the bytes
// across processes) with dwData kRowDescriptionTag, before the send
// returns: "%06X %06X text", background and text colour as drawn
// (COLORREF), then the text, at most kRowDescriptionSize bytes with the
// closing zero. The result is the text length, -1 for no row or no reply.
#pragma once

#include <windows.h>

constexpr UINT kListQuery = WM_APP + 0x300;
constexpr UINT kDescribeListRow = WM_APP + 0x301;
constexpr ULONG_PTR kRowDescriptionTag = kDescribeListRow;
constexpr int kRowDescriptionSize = 1024;

enum ListQuery { kQueryCount = 0, kQuerySelected = 1, kQueryTop = 2, kQueryRowHeight = 3 };
