// ListViewHost: what the two lists and the views that fill them ask of the
// window around them; the main window answers. The lists report to it
// instead of calling the views, so that they sit below those views.
// Main thread only.
#pragma once

#include <windows.h>

#include <string>

class ListViewHost {
 public:
  virtual ~ListViewHost() = default;
  // The window the lists sit in, owner of the dialogs and of the answers
  // posted from other threads.
  virtual HWND mainWindow() const = 0;
  // The main popup menu at `point` (x low, y high word) in the client
  // coordinates of `source`.
  virtual void showPopupMenu(HWND source, DWORD point) = 0;
  // An hour list row was chosen: its value (an hour, or the day rows).
  virtual void chooseHourRow(int value) = 0;
  // The left and right arrows move between the lists.
  virtual void focusHourList() = 0;
  virtual void focusProgrammeList() = 0;
  virtual void showDetail(const std::string& text) = 0;
};
