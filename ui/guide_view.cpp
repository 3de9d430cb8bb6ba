// The viewed day and view, the day table, and the navigation.
#include "ui/guide_view.h"

#include "app/application.h"
#include "guide/guide_cache.h"
#include "programme/programme_cell.h"
#include "programme/programme_table.h"
#include "ui/focus.h"
#include "ui/hour_list.h"
#include "ui/list_row_painter.h"
#include "ui/model/hour_list_rows.h"
#include "ui/model/programme_view.h"
#include "ui/model/resource_ids.h"
#include "ui/programme_list.h"
#include "ui/reserve_programme.h"
#include "ui/search_view.h"

namespace {
ViewState view;
ProgrammeTable table;

void fillProgrammeList(ListWindow& list) {
  if (view.mode == kSearchView) {
    fillSearchRows(list, view.key);
    return;
  }
  ProgrammeListing listing = listProgrammes(table, view);
  for (const ProgrammeCell* cell : listing.items) list.append(reinterpret_cast<LPARAM>(cell));
  if (listing.selected >= 0) list.select(listing.selected);
}

const ProgrammeCell* cellOf(LPARAM item) { return reinterpret_cast<const ProgrammeCell*>(item); }

// The search view's rows are matches of the week, not cells of the day.
bool showsMatches() { return view.mode == kSearchView; }

void chooseHourRow(int value) {
  if (value == kPreviousDayRow) {
    showPreviousDay(false);
  } else if (value == kNextDayRow) {
    showNextDay(false);
  } else {
    showHour(value);
  }
}

bool rowLookOf(LPARAM item, bool selected, RowLook& look) {
  if (showsMatches()) return lookOfSearchRow(item, selected, look);
  const ProgrammeCell* cell = cellOf(item);
  if (!cell) return false;
  look = programmeRowLook(*cell, selected, systemColours());
  return true;
}

bool rowDetailOf(LPARAM item, std::string& text) {
  return showsMatches() ? searchRowDetail(item, text) : detailPaneText(cellOf(item), text);
}

void activateProgrammeRow(LPARAM item) {
  if (showsMatches()) return activateSearchRow(GetParent(hourList().handle()), item);
  const ProgrammeCell* cell = cellOf(item);
  switch (activationOf(cell)) {
    case Activation::kShowChannel: showChannel(cell->number); break;
    case Activation::kReserve: reserveProgramme(GetParent(hourList().handle()), table, *cell, view); break;
    case Activation::kNothing: break;
  }
}

void setDateButtonLabel() {
  HWND mainWindow = GetParent(hourList().handle());
  SetDlgItemTextA(mainWindow, kCommandToday, dateLabel(view).c_str());
}
}  // namespace

void connectListViews(const ListViewHost& host) {
  ListViewHost views = host;
  views.hourRowChosen = chooseHourRow;
  views.programmeRowLook = rowLookOf;
  views.programmeRowDetail = rowDetailOf;
  views.programmeRowActivated = activateProgrammeRow;
  setListViewHost(views);
}

LRESULT onListNotify(LPARAM record) {
  const ListNotify& notice = *reinterpret_cast<const ListNotify*>(record);
  const HWND from = notice.header.hwndFrom;
  if (from == nullptr) return 1;
  if (from == hourList().handle()) {
    onHourListNotify(notice);
  } else if (from == programmeList().handle()) {
    onProgrammeListNotify(notice);
  }
  return 1;
}

const ViewState& viewState() { return view; }
const ProgrammeTable& dayTable() { return table; }

void showToday() {
  moveToToday(view, currentDateTime());
  showDate();
}

void showPreviousDay(bool fromButton) {
  if (moveToPreviousDay(view, currentDateTime(), fromButton)) showDate();
}

void showNextDay(bool fromButton) {
  if (moveToNextDay(view, currentDateTime(), fromButton)) showDate();
}

void showDate() {
  leaveSearchView(view);
  setDateButtonLabel();
  // A changed row reports itself and so shows that hour in the time view.
  hourList().select(hourListRow(view.hour));
  setFocus(hourList().handle());
  reloadDay();
}

void reloadDay() {
  ListWindow& list = programmeList();
  list.suspend();
  list.clear();  // no pointer into the old day survives the load
  Application::instance().guide().loadDay(view.date, table);
  fillProgrammeList(list);
  list.resume();
}

void showHour(int hour) {
  view.mode = kTimeView;
  view.hour = hour;
  view.key = hour;
  refreshProgrammeList();
}

void showChannel(int column) {
  view.mode = kChannelView;
  view.key = column;
  refreshProgrammeList();
}

void showGenre(int colour) {
  view.mode = kGenreView;
  view.key = colour;
  refreshProgrammeList();
}

void showSearch(int source) {
  view.mode = kSearchView;
  view.key = source;
  refreshProgrammeList();
}

void refreshProgrammeList() {
  ListWindow& list = programmeList();
  list.suspend();
  list.clear();
  fillProgrammeList(list);
  list.resume();
}
