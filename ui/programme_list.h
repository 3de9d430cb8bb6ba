// ProgrammeList: the list of programmes in the middle of the main window.
// What its rows are (ProgrammeCell pointers into the day table, or the
// search view's matches), how they look and what choosing one does is the
// views' business, through the ListViewHost; the list shows the selected
// row's text in the detail pane and hands on activations.
#pragma once

#include "ui/list_window.h"
#include "ui/model/main_layout.h"

ListWindow& programmeList();
// Creates the list (bordered, control id 0) at `place` in the main window.
bool createProgrammeList(HWND mainWindow, const LayoutRect& place);

void onProgrammeListNotify(const ListNotify& notice);
