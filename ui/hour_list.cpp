// The hour list: its rows, drawing and notifications.
#include "ui/hour_list.h"

#include "ui/guide_view.h"
#include "ui/list_row_painter.h"
#include "ui/main_window.h"
#include "ui/model/hour_list_rows.h"
#include "ui/programme_list.h"

namespace {
ListWindow list;

void showPopupMenuAt(DWORD point) {
  if (listViewHost().showPopupMenu) listViewHost().showPopupMenu(list.handle(), point);
}

void onSelectionChanged(int value) {
  if (value == kPreviousDayRow) {
    showPreviousDay(false);
  } else if (value == kNextDayRow) {
    showNextDay(false);
  } else {
    showHour(value);
  }
}

void onKey(int key) {
  if (key == VK_RIGHT) setFocus(programmeList().handle());
  if (key == VK_LEFT) showPopupMenuAt(0);
}
}  // namespace

ListWindow& hourList() { return list; }

bool createHourList(HWND mainWindow, const LayoutRect& place) {
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

void drawHourRow(const ListDrawItem& item) {
  paintListRow(item, hourRowLook(static_cast<int>(item.item), item.selected != 0, systemColours()));
}

void onHourListNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: onSelectionChanged(static_cast<int>(notice.item)); break;
    case kListKeyDown: onKey(notice.value); break;
    case kListRightClick: showPopupMenuAt(static_cast<DWORD>(notice.value)); break;
  }
}
