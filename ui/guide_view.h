// GuideView: what the main window's lists show and how the user moves
// through it: the viewed broadcast day, hour and view mode, the
// process-wide day table, and the moves between days, hours, channels
// and genres. Main thread only.
//
// The programme list holds pointers into the day table, so the table is
// only ever replaced inside reloadDay(), which empties the list first and
// refills it before returning; nothing paints in between.
#pragma once

#include <windows.h>

#include "ui/list_view_host.h"
#include "ui/model/view_state.h"

class ProgrammeTable;

// Hands the lists what they need of the main window (the detail pane, the
// lists' handles, the popup menu), once at its creation after the lists
// and the pane exist; the views add their own part.
void connectListViews(const ListViewHost& host);

// WM_NOTIFY from either list (told apart by hwndFrom; both have id 0).
// Returns 1. Other senders are ignored.
LRESULT onListNotify(LPARAM record);

const ViewState& viewState();
const ProgrammeTable& dayTable();

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
