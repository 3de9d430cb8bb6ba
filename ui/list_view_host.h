// ListViewHost: what the two lists need of the window around them. The
// lists report to it instead of calling the views, so that they sit below
// the views that fill them. Main thread only.
#pragma once

#include <windows.h>

#include <string>

#include "ui/model/row_look.h"

struct ListViewHost {
  HWND detailPane = nullptr;
  HWND hourList = nullptr;
  HWND programmeList = nullptr;
  // The main popup menu at `point` (x low, y high word) in the client
  // coordinates of `source`.
  void (*showPopupMenu)(HWND source, DWORD point) = nullptr;
  // An hour list row was chosen: its value (an hour, or the day rows).
  void (*hourRowChosen)(int value) = nullptr;
  // A programme list row: how it is drawn, its detail text (false for no
  // row), and Enter, right arrow or a double-click on it.
  bool (*programmeRowLook)(LPARAM item, bool selected, RowLook& look) = nullptr;
  bool (*programmeRowDetail)(LPARAM item, std::string& text) = nullptr;
  void (*programmeRowActivated)(LPARAM item) = nullptr;
};

void setListViewHost(const ListViewHost& host);
const ListViewHost& listViewHost();
