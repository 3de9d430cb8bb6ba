// The programme list: its rows' source and its notifications.
#include "ui/programme_list.h"

#include <string>

bool ProgrammeList::create(HWND mainWindow, const LayoutRect& place) {
  list_.setRowLook([this](LPARAM item, bool selected, RowLook& look) { return rowLook(item, selected, look); });
  return list_.createChild(mainWindow, WS_CHILD | WS_VISIBLE | WS_BORDER, place.x, place.y,
                           place.width, place.height, nullptr);
}

void ProgrammeList::beginFill(ProgrammeRows& rows) {
  list_.suspend();
  list_.clear();
  rows_ = &rows;
}

bool ProgrammeList::rowLook(LPARAM item, bool selected, RowLook& look) const {
  return rows_ && rows_->rowLook(item, selected, look);
}

void ProgrammeList::showDetail(LPARAM item) {
  std::string text;
  if (rows_ && rows_->rowDetail(item, text)) host_.showDetail(text);
}

void ProgrammeList::activate(LPARAM item) {
  if (rows_) rows_->activateRow(item);
}

void ProgrammeList::onKey(LPARAM item, int key) {
  if (key == VK_RETURN || key == VK_RIGHT) activate(item);
  if (key == VK_LEFT) host_.focusHourList();
}

void ProgrammeList::onNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: showDetail(notice.item); break;
    case kListDoubleClick: activate(notice.item); break;
    case kListKeyDown: onKey(notice.item, notice.value); break;
    case kListRightClick: host_.showPopupMenu(list_.handle(), static_cast<DWORD>(notice.value)); break;
  }
}
