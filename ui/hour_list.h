// HourList: the narrow list left of the programmes: "[↑]" (the day
// before), the hours 05:00 to 28:00, "[↓]" (the day after). Choosing a row
// moves the programme list to that hour or day, through the host.
// The main window owns it; `create`, then `fill` once the font is set.
#pragma once

#include "ui/list_view_host.h"
#include "ui/list_window.h"
#include "ui/model/main_layout.h"

class HourList {
 public:
  explicit HourList(ListViewHost& host) : host_(host) {}
  HourList(const HourList&) = delete;
  HourList& operator=(const HourList&) = delete;

  ListWindow& window() { return list_; }
  const ListWindow& window() const { return list_; }
  HWND handle() const { return list_.handle(); }
  // Creates the list (bordered, control id 0) at `place` in the main window.
  bool create(HWND mainWindow, const LayoutRect& place);
  // Puts in the 26 rows and scrolls the first hour to the top.
  void fill();
  void onNotify(const ListNotify& notice);

 private:
  void showPopupMenuAt(DWORD point);
  void onKey(int key);

  ListViewHost& host_;
  ListWindow list_;
};
