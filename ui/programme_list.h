// ProgrammeList: the list of programmes in the middle of the main window.
// Its rows are ProgrammeCell pointers into the day table (channel headers
// and programmes); selecting a programme shows its text in the detail
// pane, activating a header opens that channel's day, activating a
// programme hands it to the companion tool for reservation. In the search
// view the rows are matches of the week instead (see search_view.h).
#pragma once

#include "ui/list_window.h"
#include "ui/model/main_layout.h"
#include "ui/model/row_look.h"

struct ProgrammeCell;

ListWindow& programmeList();
// Creates the list (bordered, control id 0) at `place` in the main window.
bool createProgrammeList(HWND mainWindow, const LayoutRect& place);

// How a row of the list is drawn, in whichever view; false for no row.
bool programmeListRowLook(LPARAM item, bool selected, RowLook& look);
void drawProgrammeRow(const ListDrawItem& item);
void onProgrammeListNotify(const ListNotify& notice);
// Enter, right arrow or double-click on a row.
void activateProgrammeItem(const ProgrammeCell* cell);
