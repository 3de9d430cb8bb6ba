// The hour list: its rows, their look and its notifications.
#include "ui/hour_list.h"

#include "ui/focus.h"
#include "ui/list_row_painter.h"
#include "ui/list_view_host.h"
#include "ui/model/hour_list_rows.h"

namespace {
ListWindow list;

void showPopupMenuAt(DWORD point) {
  if (listViewHost().showPopupMenu) listViewHost().showPopupMenu(list.handle(), point);
}

void onSelectionChanged(int value) {
  if (listViewHost().hourRowChosen) listViewHost().hourRowChosen(value);
}

void onKey(int key) {
  if (key == VK_RIGHT) setFocus(listViewHost().programmeList);
  if (key == VK_LEFT) showPopupMenuAt(0);
}

bool hourListRowLook(LPARAM item, bool selected, RowLook& look) {
  look = hourRowLook(static_cast<int>(item), selected, systemColours());
  return true;
}
}  // namespace

ListWindow& hourList() { return list; }

bool createHourList(HWND mainWindow, const LayoutRect& place) {
  list.setRowLook(hourListRowLook);
  return list.createChild(mainWindow, WS_CHILD | WS_VISIBLE | WS_BORDER, place.x, place.y,
                          place.width, place.height, nullptr);
}
void fillHourList() {
  list.suspend();
  for (int value : hourListItems()) list.append(value);
  list.scrollTo(1);
  InvalidateRect(list.handle(), nullptr, TRUE);
  list.resume();
}

void onHourListNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: onSelectionChanged(static_cast<int>(notice.item)); break;
    case kListKeyDown: onKey(notice.value); break;
    case kListRightClick: showPopupMenuAt(static_cast<DWORD>(notice.value)); break;
  }
}
