// GuideView: what the main window's lists show and how the user moves
// through it: the viewed broadcast day, hour and view mode, the day table,
// and the moves between days, hours, channels and genres. It is the row
// source of the programme list in the three views of the day (the rows
// are cells of its table); the search view is that of the fourth.
// The main window owns it. Main thread only.
//
// The programme list holds pointers into the day table, so the table is
// only ever replaced inside reloadDay(), which empties the list first and
// refills it before returning; nothing paints in between.
#pragma once

#include <windows.h>

#include "programme/programme_table.h"
#include "ui/focus_memory.h"
#include "ui/hour_list.h"
#include "ui/model/view_state.h"
#include "ui/programme_list.h"
#include "ui/programme_rows.h"
#include "ui/reserve_programme.h"
#include "ui/search_view.h"

class GuideCache;

class GuideView : public ProgrammeRows {
 public:
  GuideView(GuideCache& cache, HourList& hours, ProgrammeList& programmes, SearchView& search,
            ProgrammeReserver& reserver, FocusMemory& focus)
      : cache_(cache), hours_(hours), programmes_(programmes), search_(search), reserver_(reserver),
        focus_(focus) {}

  const ViewState& state() const { return view_; }
  const ProgrammeTable& dayTable() const { return table_; }

  // Today's broadcast day at the current hour (command 1001).
  void showToday();
  // One day back or forward within yesterday .. six days ahead; the buttons
  // keep the hour, the list's "[↑]"/"[↓]" rows jump to 28:00 / 05:00.
  void showPreviousDay(bool fromButton);
  void showNextDay(bool fromButton);
  // Shows the viewed date: date button label, hour row, focus, reload.
  void showDate();
  // Loads the viewed day into the day table and refills the programme list.
  void reloadDay();
  // The three views; each refills the programme list.
  void showHour(int hour);
  void showChannel(int column);
  void showGenre(int colour);
  // The fourth view: the matches of the week of `source` (a SearchSource).
  void showSearch(int source);
  // Lists the day table anew in the current view.
  void refreshProgrammeList();
  // An hour list row was chosen: an hour, or a move to the day beside.
  void chooseHourRow(int value);

  // The rows of the three views of the day: cells of the day table.
  bool rowLook(LPARAM item, bool selected, RowLook& look) const override;
  bool rowDetail(LPARAM item, std::string& text) override;
  void activateRow(LPARAM item) override;

 private:
  // Empties the programme list, lists the current view and resumes it.
  void beginProgrammeFill();
  void fillProgrammeList();
  void setDateButtonLabel();
  HWND mainWindow() const { return GetParent(hours_.handle()); }

  GuideCache& cache_;
  HourList& hours_;
  ProgrammeList& programmes_;
  SearchView& search_;
  ProgrammeReserver& reserver_;
  FocusMemory& focus_;
  ViewState view_;
  ProgrammeTable table_;
};
