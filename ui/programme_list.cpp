// The programme list: its drawing and notifications.
#include "ui/programme_list.h"

#include <string>

#include "programme/programme_cell.h"
#include "ui/guide_view.h"
#include "ui/hour_list.h"
#include "ui/list_row_painter.h"
#include "ui/main_window.h"
#include "ui/model/programme_view.h"
#include "ui/reserve_programme.h"

namespace {
ListWindow list;

const ProgrammeCell* cellOf(LPARAM item) { return reinterpret_cast<const ProgrammeCell*>(item); }

void showDetail(const ProgrammeCell* cell) {
  std::string text;
  if (detailPaneText(cell, text) && listViewHost().detailPane)
    SetWindowTextA(listViewHost().detailPane, text.c_str());
}

void onKey(const ProgrammeCell* cell, int key) {
  if (key == VK_RETURN || key == VK_RIGHT) activateProgrammeItem(cell);
  if (key == VK_LEFT) setFocus(hourList().handle());
}

void showPopupMenuAt(DWORD point) {
  if (listViewHost().showPopupMenu) listViewHost().showPopupMenu(list.handle(), point);
}
}  // namespace

ListWindow& programmeList() { return list; }

bool createProgrammeList(HWND mainWindow, const LayoutRect& place) {
  return list.createChild(mainWindow, WS_CHILD | WS_VISIBLE | WS_BORDER, place.x, place.y,
                          place.width, place.height, nullptr);
}

void drawProgrammeRow(const ListDrawItem& item) {
  const ProgrammeCell* cell = cellOf(item.item);
  if (!cell) return;
  paintListRow(item, programmeRowLook(*cell, item.selected != 0, systemColours()));
}

void onProgrammeListNotify(const ListNotify& notice) {
  const ProgrammeCell* cell = cellOf(notice.item);
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: showDetail(cell); break;
    case kListDoubleClick: activateProgrammeItem(cell); break;
    case kListKeyDown: onKey(cell, notice.value); break;
    case kListRightClick: showPopupMenuAt(static_cast<DWORD>(notice.value)); break;
  }
}

void activateProgrammeItem(const ProgrammeCell* cell) {
  switch (activationOf(cell)) {
    case Activation::kShowChannel: showChannel(cell->number); break;
    case Activation::kReserve: reserveProgramme(*cell); break;
    case Activation::kNothing: break;
  }
}
