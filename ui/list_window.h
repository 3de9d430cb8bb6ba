// ListWindow: an owner-drawn list of opaque pointer-sized values. It keeps
// the rows, the selection and the scrolling, and paints each row as its
// owner's row look describes it; its parent hears of clicks, keys and
// focus through WM_NOTIFY (wParam = the code, lParam = the record below),
// and the send's result comes back.
//
// Refilling: suspend(), clear(), append()... and select(), resume(). While
// suspended nothing is drawn, scrolled on screen or notified; resume()
// lays the list out again and reports the selection (code 1).
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "ui/model/list_rows.h"
#include "ui/model/row_look.h"
#include "ui/ro_window.h"

// Notification codes (WM_NOTIFY's wParam and NMHDR::code).
enum ListNotification : int {
  kListSelectionChanged = 1,  // value 0
  kListLeftClick = -2,        // after the click selected its row
  kListDoubleClick = -3,      // value: the mouse message's lParam
  kListRightClick = -5,       // value: x low, y high, in list coordinates
  kListFocusChanged = -7,     // value: 1 gained, 0 lost
  kListKeyDown = -15,         // value: the virtual-key code
};

struct ListNotify {
  NMHDR header;
  LPARAM item;  // the row's value, 0 when index is out of range
  int index;    // the selected row, -1 for none
  int value;
};

class ListWindow : public RoWindow {
 public:
  LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void clear();
  // Adds a row at the end; does not repaint.
  void append(LPARAM value);
  // The value of row `index`, 0 out of range.
  LPARAM itemAt(int index) const;
  int count() const { return static_cast<int>(items_.size()); }
  int selected() const { return rows_.selected; }
  int top() const { return rows_.top; }

  // Selects a row and brings it into view. False out of range.
  bool select(int index);
  // Makes `newTop` the first visible row, as far as the rows allow.
  bool scrollTo(int newTop);

  void suspend() { suspended_ = true; }
  void resume();
  // Row height from the font, page from the client height.
  void relayout();
  void setFont(HFONT font);
  void setFocusState(bool hasFocus);
  // How a row is drawn (false for no row): the paint and describeRow ask it.
  using RowLookOf = std::function<bool(LPARAM item, bool selected, RowLook& look)>;
  void setRowLook(RowLookOf look) { rowLook_ = std::move(look); }
  // Test hook (kDescribeListRow, see list_row_query.h): row `row` as it is
  // drawn, copied to `asker`; the text length, -1 for no row or no reply.
  LRESULT describeRow(int row, HWND asker) const;

 private:
  RECT rowRect(int index) const;
  void invalidateRow(int index);
  void updateScrollBar();
  LRESULT notify(int code, int index, int value);
  void drawRow(HDC dc, int index, const RECT& rect);
  void paint();
  LRESULT onKeyDown(int key);
  LRESULT onVerticalScroll(int request, int thumb);
  LRESULT onLeftButtonDown(int y);
  LRESULT onRightButtonDown(LPARAM point);
  // Test hook (kListQuery, see list_row_query.h).
  LRESULT answerQuery(int what) const;

  std::vector<LPARAM> items_;
  ListRows rows_;
  int width_ = 0;
  int rowHeight_ = 1;
  bool suspended_ = false;
  bool hasFocus_ = false;
  HFONT font_ = nullptr;
  RowLookOf rowLook_;
};
