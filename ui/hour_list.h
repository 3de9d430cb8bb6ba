// HourList: the narrow list left of the programmes: "[↑]" (the day
// before), the hours 05:00 to 28:00, "[↓]" (the day after). Choosing a row
// moves the programme list to that hour or day.
#pragma once

#include "ui/list_window.h"
#include "ui/model/main_layout.h"

ListWindow& hourList();
// Creates the list (bordered, control id 0) at `place` in the main window.
bool createHourList(HWND mainWindow, const LayoutRect& place);
// Puts in the 26 rows and scrolls the first hour to the top. Call once,
// after the font is set.
void fillHourList();

void onHourListNotify(const ListNotify& notice);
