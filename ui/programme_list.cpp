// The programme list: its rows' look and its notifications.
#include "ui/programme_list.h"

#include <string>

#include "ui/focus.h"
#include "ui/list_view_host.h"

namespace {
ListWindow list;

bool rowLook(LPARAM item, bool selected, RowLook& look) {
  return listViewHost().programmeRowLook && listViewHost().programmeRowLook(item, selected, look);
}

void showDetail(LPARAM item) {
  const ListViewHost& host = listViewHost();
  std::string text;
  if (host.programmeRowDetail && host.programmeRowDetail(item, text) && host.detailPane) {
    SetWindowTextA(host.detailPane, text.c_str());
  }
}

void activate(LPARAM item) {
  if (listViewHost().programmeRowActivated) listViewHost().programmeRowActivated(item);
}

void onKey(LPARAM item, int key) {
  if (key == VK_RETURN || key == VK_RIGHT) activate(item);
  if (key == VK_LEFT) setFocus(listViewHost().hourList);
}

void showPopupMenuAt(DWORD point) {
  if (listViewHost().showPopupMenu) listViewHost().showPopupMenu(list.handle(), point);
}
}  // namespace

ListWindow& programmeList() { return list; }

bool createProgrammeList(HWND mainWindow, const LayoutRect& place) {
  list.setRowLook(rowLook);
  return list.createChild(mainWindow, WS_CHILD | WS_VISIBLE | WS_BORDER, place.x, place.y,
                          place.width, place.height, nullptr);
}

void onProgrammeListNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: showDetail(notice.item); break;
    case kListDoubleClick: activate(notice.item); break;
    case kListKeyDown: onKey(notice.item, notice.value); break;
    case kListRightClick: showPopupMenuAt(static_cast<DWORD>(notice.value)); break;
  }
}
