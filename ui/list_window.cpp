// ListWindow: rows, selection, scrolling, painting and the notifications.
#include "ui/list_window.h"

#include <algorithm>
#include <cstdio>

#include "ui/list_row_painter.h"
#include "ui/list_row_query.h"

LRESULT ListWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: clear(); return 1;
    case WM_SIZE: relayout(); return 1;
    case WM_SETFOCUS: setFocusState(true); return 1;
    case WM_KILLFOCUS: setFocusState(false); return 1;
    case WM_SETFONT: setFont(reinterpret_cast<HFONT>(wParam)); return 1;
    case WM_PAINT: paint(); return 1;
    case WM_KEYDOWN: return onKeyDown(static_cast<int>(wParam));
    case WM_VSCROLL: return onVerticalScroll(LOWORD(wParam), HIWORD(wParam));
    case WM_LBUTTONDOWN: return onLeftButtonDown(HIWORD(lParam));
    case WM_LBUTTONDBLCLK: return notify(kListDoubleClick, rows_.selected, static_cast<int>(lParam));
    case WM_RBUTTONDOWN: return onRightButtonDown(lParam);
    case kListQuery: return answerQuery(static_cast<int>(wParam));
    default: return defaultProc(message, wParam, lParam);
  }
}

void ListWindow::clear() {
  items_.clear();
  rows_.count = 0;
  rows_.selected = -1;
  rows_.top = 0;
  rows_.last = 0;
  // Erased even while suspended: rows no longer held must not linger
  // below the new last row, which the paint leaves to the background.
  if (handle()) InvalidateRect(handle(), nullptr, TRUE);
}

void ListWindow::append(LPARAM value) {
  items_.push_back(value);
  rows_.count = count();
  updateScrollBar();
}

LPARAM ListWindow::itemAt(int index) const {
  if (index < 0 || index >= count()) return 0;
  return items_[static_cast<std::size_t>(index)];
}

bool ListWindow::select(int index) {
  if (index < 0 || index >= count()) return false;
  if (index == rows_.selected) return true;
  const int old = rows_.selected;
  rows_.selected = index;
  if (!suspended_ && old >= 0 && isRowVisible(rows_, old)) invalidateRow(old);
  const int newTop = topShowing(rows_, index);
  if (newTop >= 0) scrollTo(newTop);
  if (!suspended_ && isRowVisible(rows_, index)) {
    invalidateRow(index);
    notify(kListSelectionChanged, index, 0);
  }
  return true;
}

bool ListWindow::scrollTo(int newTop) {
  const int target = scrollTarget(rows_, newTop);
  if (target == rows_.top) return true;
  // While suspended only the top moves; resume() repaints everything.
  if (!suspended_) {
    // Rows already marked for repainting are painted before the pixels
    // move, so no stale highlight travels with them.
    UpdateWindow(handle());
    ScrollWindow(handle(), 0, (rows_.top - target) * rowHeight_, nullptr, nullptr);
  }
  moveTop(rows_, target);
  updateScrollBar();
  return true;
}

void ListWindow::resume() {
  suspended_ = false;
  relayout();
  if (rows_.selected != -1) notify(kListSelectionChanged, rows_.selected, 0);
}

void ListWindow::relayout() {
  if (!handle()) return;
  HDC dc = GetDC(handle());
  HGDIOBJ previous = font_ ? SelectObject(dc, font_) : nullptr;
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(handle(), dc);
  rowHeight_ = metrics.tmHeight > 0 ? metrics.tmHeight : 1;

  RECT client;
  GetClientRect(handle(), &client);
  width_ = client.right - client.left;
  relayoutRows(rows_, pageRows(client.bottom - client.top, rowHeight_));
  if (!suspended_) InvalidateRect(handle(), nullptr, FALSE);
  updateScrollBar();
}

void ListWindow::setFont(HFONT font) {
  font_ = font;
  relayout();
}

void ListWindow::setFocusState(bool hasFocus) {
  hasFocus_ = hasFocus;
  if (!suspended_ && rows_.selected >= 0 && isRowVisible(rows_, rows_.selected))
    invalidateRow(rows_.selected);
  notify(kListFocusChanged, rows_.selected, hasFocus ? 1 : 0);
}

RECT ListWindow::rowRect(int index) const {
  const int y = (index - rows_.top) * rowHeight_;
  return RECT{0, y, width_, y + rowHeight_};
}

void ListWindow::invalidateRow(int index) {
  RECT rect = rowRect(index);
  InvalidateRect(handle(), &rect, FALSE);
}

void ListWindow::updateScrollBar() {
  if (suspended_ || !handle()) return;
  if (!settleScrollBar(rows_)) {
    ShowScrollBar(handle(), SB_VERT, FALSE);
    return;
  }
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = rows_.count - 1;
  info.nPage = static_cast<UINT>(rows_.page);
  info.nPos = rows_.top;
  SetScrollInfo(handle(), SB_VERT, &info, TRUE);
  ShowScrollBar(handle(), SB_VERT, TRUE);
}

LRESULT ListWindow::notify(int code, int index, int value) {
  ListNotify record = {};
  record.header.hwndFrom = handle();
  record.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(handle()));
  record.header.code = static_cast<UINT>(code);
  record.item = itemAt(index);
  record.index = index;
  record.value = value;
  return SendMessageA(GetParent(handle()), WM_NOTIFY, static_cast<WPARAM>(code),
                      reinterpret_cast<LPARAM>(&record));
}

void ListWindow::drawRow(HDC dc, int index, const RECT& rect) {
  RowLook look;
  const bool selected = index == rows_.selected;
  if (rowLook_ && rowLook_(itemAt(index), selected, look)) paintListRow(dc, rect, look, selected && hasFocus_);
}

void ListWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle(), &ps);
  if (!suspended_) {
    HGDIOBJ previous = font_ ? SelectObject(dc, font_) : nullptr;
    RECT rect = {0, 0, width_, rowHeight_};
    for (int i = rows_.top; i <= rows_.last && i < count(); ++i) {
      if (rect.bottom > ps.rcPaint.top && rect.top < ps.rcPaint.bottom) drawRow(dc, i, rect);
      OffsetRect(&rect, 0, rowHeight_);
    }
    if (previous) SelectObject(dc, previous);
  }
  EndPaint(handle(), &ps);
}

LRESULT ListWindow::onKeyDown(int key) {
  notify(kListKeyDown, rows_.selected, key);
  switch (key) {
    case VK_UP: select(rows_.selected - 1); break;
    case VK_DOWN: select(rows_.selected + 1); break;
    case VK_PRIOR: select(rows_.selected - rows_.page); break;
    case VK_NEXT: select(rows_.selected + rows_.page); break;
  }
  return 0;
}

LRESULT ListWindow::onVerticalScroll(int request, int thumb) {
  switch (request) {
    case SB_LINEUP: scrollTo(rows_.top - 1); return 1;
    case SB_LINEDOWN: scrollTo(rows_.top + 1); return 1;
    case SB_PAGEUP: scrollTo(rows_.top - rows_.page); return 1;
    case SB_PAGEDOWN: scrollTo(rows_.top + rows_.page); return 1;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: scrollTo(thumb); return 1;
    case SB_TOP: scrollTo(0); return 1;
    case SB_BOTTOM: scrollTo(count()); return 1;
    default: return 0;
  }
}

LRESULT ListWindow::onLeftButtonDown(int y) {
  select(y / rowHeight_ + rows_.top);
  SetFocus(handle());
  return notify(kListLeftClick, rows_.selected, 0);
}

LRESULT ListWindow::answerQuery(int what) const {
  switch (what) {
    case kQueryCount: return count();
    case kQuerySelected: return rows_.selected;
    case kQueryTop: return rows_.top;
    case kQueryRowHeight: return rowHeight_;
    default: return -1;
  }
}

LRESULT ListWindow::onRightButtonDown(LPARAM point) {
  SetFocus(handle());
  return notify(kListRightClick, rows_.selected, static_cast<int>(point));
}

LRESULT ListWindow::describeRow(int row, HWND asker) const {
  // A window handle, not an address: the reply is copied by the system.
  RowLook look;
  if (!IsWindow(asker) || row < 0 || row >= count() || !rowLook_ ||
      !rowLook_(itemAt(row), row == selected(), look)) {
    return -1;
  }
  char description[kRowDescriptionSize];
  const int length = std::snprintf(description, sizeof description, "%06X %06X %s",
                                   static_cast<unsigned>(look.background),
                                   static_cast<unsigned>(look.textColour), look.text.c_str());
  COPYDATASTRUCT reply = {};
  reply.dwData = kRowDescriptionTag;
  reply.cbData = static_cast<DWORD>(std::min<int>(length, sizeof description - 1) + 1);
  reply.lpData = description;
  // A hung asker must not hang the program.
  const UINT kReplyTimeoutMs = 2000;
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(GetParent(handle())),
                           reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kReplyTimeoutMs, &ignored)) {
    return -1;
  }
  return static_cast<LRESULT>(look.text.size());
}
