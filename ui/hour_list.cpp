// The hour list: its rows, their look and its notifications.
#include "ui/hour_list.h"

#include "ui/list_row_painter.h"
#include "ui/model/hour_list_rows.h"

namespace {
bool hourListRowLook(LPARAM item, bool selected, RowLook& look) {
  look = hourRowLook(static_cast<int>(item), selected, systemColours());
  return true;
}
}  // namespace

bool HourList::create(HWND mainWindow, const LayoutRect& place) {
  list_.setRowLook(hourListRowLook);
  return list_.createChild(mainWindow, WS_CHILD | WS_VISIBLE | WS_BORDER, place.x, place.y,
                           place.width, place.height, nullptr);
}

void HourList::fill() {
  list_.suspend();
  for (int value : hourListItems()) list_.append(value);
  list_.scrollTo(1);
  InvalidateRect(list_.handle(), nullptr, TRUE);
  list_.resume();
}

void HourList::showPopupMenuAt(DWORD point) { host_.showPopupMenu(list_.handle(), point); }

void HourList::onKey(int key) {
  if (key == VK_RIGHT) host_.focusProgrammeList();
  if (key == VK_LEFT) showPopupMenuAt(0);
}

void HourList::onNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: host_.chooseHourRow(static_cast<int>(notice.item)); break;
    case kListKeyDown: onKey(notice.value); break;
    case kListRightClick: showPopupMenuAt(static_cast<DWORD>(notice.value)); break;
  }
}
