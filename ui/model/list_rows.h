// ListRows: the row arithmetic of an owner-drawn list: which rows are in
// view, where a scroll may go, and how selecting a row brings it into
// view. The list window keeps one and does the drawing these rules call for.
//
// `last` is the last row that may be drawn: with `page` whole rows from
// `top`, the row at top + page is the partly visible one below them.
#pragma once

struct ListRows {
  int count = 0;     // rows held
  int selected = -1;
  int top = 0;       // first visible row
  int last = 0;
  int page = 1;      // whole rows that fit, at least 1
};

// Whole rows of `rowHeight` in `height` pixels, at least 1.
int pageRows(int height, int rowHeight);

bool isRowVisible(const ListRows& rows, int index);

// Where a request to scroll to `newTop` ends: clamped to 0 .. count - page;
// the current top when everything fits (nothing scrolls then).
int scrollTarget(const ListRows& rows, int newTop);
// Makes `newTop` (a scrollTarget) the top row.
void moveTop(ListRows& rows, int newTop);

// The top that brings `index` into view: the row becomes the last whole
// row when it lies at or past `last`, the first when it lies above `top`.
// -1 when it is neither below the page nor above it.
int topShowing(const ListRows& rows, int index);

// After a size or font change: `page` from the new height, `top` pulled
// back so that no space is left below the last row.
void relayoutRows(ListRows& rows, int page);

// The scroll bar's part: false (hide it; everything fits, top 0) or true
// (show it with range 0..count-1, page and position top).
bool settleScrollBar(ListRows& rows);
