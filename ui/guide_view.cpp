// The viewed day and view, the day table, and the navigation.
#include "ui/guide_view.h"

#include "guide/guide_cache.h"
#include "programme/programme_cell.h"
#include "ui/list_row_painter.h"
#include "ui/model/hour_list_rows.h"
#include "ui/model/programme_view.h"
#include "ui/model/resource_ids.h"

namespace {
const ProgrammeCell* cellOf(LPARAM item) { return reinterpret_cast<const ProgrammeCell*>(item); }
}  // namespace

// The search view's rows are matches of the week, not cells of the day:
// they are read by the view that lists them.
void GuideView::beginProgrammeFill() {
  if (view_.mode == kSearchView) {
    programmes_.beginFill(search_);
  } else {
    programmes_.beginFill(*this);
  }
}

void GuideView::fillProgrammeList() {
  ListWindow& list = programmes_.window();
  if (view_.mode == kSearchView) {
    search_.fillRows(list, view_.key);
    return;
  }
  ProgrammeListing listing = listProgrammes(table_, view_);
  for (const ProgrammeCell* cell : listing.items) list.append(reinterpret_cast<LPARAM>(cell));
  if (listing.selected >= 0) list.select(listing.selected);
}

void GuideView::chooseHourRow(int value) {
  if (value == kPreviousDayRow) {
    showPreviousDay(false);
  } else if (value == kNextDayRow) {
    showNextDay(false);
  } else {
    showHour(value);
  }
}

bool GuideView::rowLook(LPARAM item, bool selected, RowLook& look) const {
  const ProgrammeCell* cell = cellOf(item);
  if (!cell) return false;
  look = programmeRowLook(*cell, selected, systemColours());
  return true;
}

bool GuideView::rowDetail(LPARAM item, std::string& text) { return detailPaneText(cellOf(item), text); }

void GuideView::activateRow(LPARAM item) {
  const ProgrammeCell* cell = cellOf(item);
  switch (activationOf(cell)) {
    case Activation::kShowChannel: showChannel(cell->number); break;
    case Activation::kReserve: reserver_.reserveProgramme(mainWindow(), table_, *cell, view_); break;
    case Activation::kNothing: break;
  }
}

void GuideView::setDateButtonLabel() { SetDlgItemTextA(mainWindow(), kCommandToday, dateLabel(view_).c_str()); }

void GuideView::showToday() {
  moveToToday(view_, cache_.now());
  showDate();
}

void GuideView::showPreviousDay(bool fromButton) {
  if (moveToPreviousDay(view_, cache_.now(), fromButton)) showDate();
}

void GuideView::showNextDay(bool fromButton) {
  if (moveToNextDay(view_, cache_.now(), fromButton)) showDate();
}

void GuideView::showDate() {
  leaveSearchView(view_);
  setDateButtonLabel();
  // A changed row reports itself and so shows that hour in the time view.
  hours_.window().select(hourListRow(view_.hour));
  focus_.setFocus(hours_.handle());
  reloadDay();
}

void GuideView::reloadDay() {
  beginProgrammeFill();  // no pointer into the old day survives the load
  cache_.loadDay(view_.date, table_);
  fillProgrammeList();
  programmes_.window().resume();
}

void GuideView::showHour(int hour) {
  view_.mode = kTimeView;
  view_.hour = hour;
  view_.key = hour;
  refreshProgrammeList();
}

void GuideView::showChannel(int column) {
  view_.mode = kChannelView;
  view_.key = column;
  refreshProgrammeList();
}

void GuideView::showGenre(int colour) {
  view_.mode = kGenreView;
  view_.key = colour;
  refreshProgrammeList();
}

void GuideView::showSearch(int source) {
  view_.mode = kSearchView;
  view_.key = source;
  refreshProgrammeList();
}

void GuideView::refreshProgrammeList() {
  beginProgrammeFill();
  fillProgrammeList();
  programmes_.window().resume();
}
