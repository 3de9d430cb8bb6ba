// ProgrammeList: the list of programmes in the middle of the main window.
// What its rows are, how they look and what choosing one does is told by
// the ProgrammeRows it was last filled with; the list shows the selected
// row's text in the detail pane and hands on activations.
// The main window owns it.
#pragma once

#include "ui/list_view_host.h"
#include "ui/list_window.h"
#include "ui/model/main_layout.h"
#include "ui/programme_rows.h"

class ProgrammeList {
 public:
  explicit ProgrammeList(ListViewHost& host) : host_(host) {}
  ProgrammeList(const ProgrammeList&) = delete;
  ProgrammeList& operator=(const ProgrammeList&) = delete;

  ListWindow& window() { return list_; }
  const ListWindow& window() const { return list_; }
  HWND handle() const { return list_.handle(); }
  // Creates the list (bordered, control id 0) at `place` in the main window.
  bool create(HWND mainWindow, const LayoutRect& place);
  // Suspends and empties the list for `rows` to fill; it reads its rows
  // through them from now on. resume() (on window()) ends the refill.
  void beginFill(ProgrammeRows& rows);
  void onNotify(const ListNotify& notice);

 private:
  bool rowLook(LPARAM item, bool selected, RowLook& look) const;
  void showDetail(LPARAM item);
  void activate(LPARAM item);
  void onKey(LPARAM item, int key);

  ListViewHost& host_;
  ProgrammeRows* rows_ = nullptr;
  ListWindow list_;
};
