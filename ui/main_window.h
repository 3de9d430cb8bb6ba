// MainWindow: the program's one top-level window ("Rokuban"). It holds
// the toolbar row, the hour and programme lists and the detail pane, owns
// the views, the tray icon (ui/tray_icon.h) and the daily schedule, and
// opens the dialogs.
//
// Calling protocol: construct it with the program's parts, then create
// the window of a class whose procedure is `procedure`, with the object's
// address as the creation parameter. The object attaches itself at
// WM_NCCREATE (GWLP_USERDATA) and lets go at WM_NCDESTROY; it must
// outlive its window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/companion_launcher.h"
#include "ui/focus_memory.h"
#include "ui/guide_view.h"
#include "ui/hour_list.h"
#include "ui/list_view_host.h"
#include "ui/model/daily_schedule.h"
#include "ui/programme_list.h"
#include "ui/reserve_programme.h"
#include "ui/search_view.h"
#include "ui/tray_icon.h"
#include "ui/watch_announcer.h"
#include "ui/window_context.h"

class MainWindow : public ListViewHost {
 public:
  explicit MainWindow(const WindowContext& context);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND mainWindow() const override { return handle_; }
  // The main popup menu; the choice comes back as WM_COMMAND.
  void showPopupMenu(HWND source, DWORD point) override;
  void chooseHourRow(int value) override { guideView_.chooseHourRow(value); }
  void focusHourList() override { focus_.setFocus(hourList_.handle()); }
  void focusProgrammeList() override { focus_.setFocus(programmeList_.handle()); }
  void showDetail(const std::string& text) override;

 private:
  LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void createChildren();
  LRESULT onCreate(const CREATESTRUCTA& cs);
  LRESULT onCommand(int id);
  LRESULT onNotify(LPARAM record);
  LRESULT onTimer(WPARAM id);
  LRESULT onActivate(WPARAM wParam);
  LRESULT onClose();
  LRESULT onTrayCallback(LPARAM mouseEvent);
  LRESULT onDestroy();
  LRESULT describeListRow(WPARAM which, LPARAM asker) const;
  LRESULT showReservation(LPARAM announcement);
  void listRecorderReserves();
  LRESULT showRecorderReserves(LPARAM reserves);
  LRESULT recorderAnswered(LPARAM answered);
  void announceWatchMatches(const std::vector<WatchChange>& changes = {});
  bool confirmFirstRun();
  void setUpSchedule();
  void runConnectDialog(int autoStartId);
  void runSearchDialog();
  void runXmltvDialog();
  void showWatchView();
  void showGenreOfCommand(int id);

  // The parts lend each other references: each is declared after those
  // it is given.
  WindowContext context_;
  FocusMemory focus_;
  CompanionLauncher companion_;
  ProgrammeReserver reserver_;
  HourList hourList_;
  ProgrammeList programmeList_;
  SearchView searchView_;
  GuideView guideView_;
  WatchAnnouncer watchAnnouncer_;
  TrayIcon trayIcon_;
  DailySchedule schedule_;
  HWND handle_ = nullptr;
  HWND detailPane_ = nullptr;
};
