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
#include "ui/search_view.h"

namespace {
ListWindow list;

const ProgrammeCell* cellOf(LPARAM item) { return reinterpret_cast<const ProgrammeCell*>(item); }

// The search view's rows are matches of the week, not cells of the day.
bool showsMatches() { return viewState().mode == kSearchView; }

void showDetail(LPARAM item) {
  std::string text;
  const bool shown = showsMatches() ? searchRowDetail(item, text) : detailPaneText(cellOf(item), text);
  if (shown && listViewHost().detailPane) SetWindowTextA(listViewHost().detailPane, text.c_str());
}

void activate(LPARAM item) {
  if (showsMatches()) {
    activateSearchRow(item);
  } else {
    activateProgrammeItem(cellOf(item));
  }
}

void onKey(LPARAM item, int key) {
  if (key == VK_RETURN || key == VK_RIGHT) activate(item);
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

bool programmeListRowLook(LPARAM item, bool selected, RowLook& look) {
  if (showsMatches()) return lookOfSearchRow(item, selected, look);
  const ProgrammeCell* cell = cellOf(item);
  if (!cell) return false;
  look = programmeRowLook(*cell, selected, systemColours());
  return true;
}

void drawProgrammeRow(const ListDrawItem& item) {
  RowLook look;
  if (programmeListRowLook(item.item, item.selected != 0, look)) paintListRow(item, look);
}

void onProgrammeListNotify(const ListNotify& notice) {
  switch (static_cast<int>(notice.header.code)) {
    case kListSelectionChanged: showDetail(notice.item); break;
    case kListDoubleClick: activate(notice.item); break;
    case kListKeyDown: onKey(notice.item, notice.value); break;
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
