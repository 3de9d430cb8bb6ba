// The main window's procedure: creation, commands, list notifications,
// popup menu, the tray icon's clicks and the schedule.
#include "ui/main_window.h"

#include <vector>

#include "app/application.h"
#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "ui/child_controls.h"
#include "ui/companion_launcher.h"
#include "ui/connect_dialog.h"
#include "ui/focus.h"
#include "ui/guide_view.h"
#include "ui/hour_list.h"
#include "ui/list_row_query.h"
#include "ui/model/command_labels.h"
#include "ui/model/companion_tool.h"
#include "ui/model/daily_schedule.h"
#include "ui/model/main_layout.h"
#include "ui/model/popup_menu.h"
#include "ui/programme_list.h"
#include "ui/reserve_programme.h"
#include "ui/search_dialog.h"
#include "ui/search_view.h"
#include "ui/tray_icon.h"
#include "ui/watch_announcer.h"
#include "ui/watch_explain_dialog.h"
#include "ui/xmltv_dialog.h"
#include "watch/watch_follow.h"

namespace {

HWND mainWindow = nullptr;
HWND detailPane = nullptr;
TrayIcon trayIcon;
DailySchedule schedule;

SettingsStore& settings() { return Application::instance().settings(); }

// Keeps the window's position and gives it a 640 x 320 client area.
void sizeClientArea(HWND hwnd, const CREATESTRUCTA& cs) {
  RECT frame = {0, 0, kMainClientWidth, kMainClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(cs.style), FALSE, cs.dwExStyle);
  RECT now;
  GetWindowRect(hwnd, &now);
  MoveWindow(hwnd, now.left, now.top, frame.right - frame.left, frame.bottom - frame.top, FALSE);
}

HWND button(HWND parent, const LayoutRect& r, const char* text, int id) {
  return createButton(parent, r.x, r.y, r.width, r.height, text, id);
}

void createChildren(HWND hwnd) {
  MainLayout layout = mainLayout(kMainClientWidth, kMainClientHeight);
  createHourList(hwnd, layout.hourList);
  button(hwnd, layout.okButton, "OK", kCommandQuit);
  button(hwnd, layout.previousButton, "<", kCommandPreviousDay);
  button(hwnd, layout.dateButton, "", kCommandToday);
  button(hwnd, layout.nextButton, ">", kCommandNextDay);
  button(hwnd, layout.crawlButton, kCrawlLabel, kCommandCrawl);
  button(hwnd, layout.syncButton, kSyncLabel, kCommandSync);
  button(hwnd, layout.settingsButton, kSettingsLabel, kCommandSettings);
  const LayoutRect& pane = layout.detailPane;
  detailPane = createDetailEdit(hwnd, pane.x, pane.y, pane.width, pane.height);
  createProgrammeList(hwnd, layout.programmeList);
  ListViewHost host;
  host.detailPane = detailPane;
  host.hourList = hourList().handle();
  host.programmeList = programmeList().handle();
  host.showPopupMenu = showPopupMenu;
  connectListViews(host);
}

// Builds a menu from its description; DestroyMenu on the result also
// destroys the submenus.
HMENU buildMenu(const std::vector<MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntry::kSeparator: AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); break;
      case MenuEntry::kSubmenu:
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(buildMenu(entry.children)),
                    entry.text.c_str());
        break;
      case MenuEntry::kItem:
        AppendMenuA(menu, MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED),
                    static_cast<UINT_PTR>(entry.id), entry.text.c_str());
        break;
    }
  }
  return menu;
}

// The recorder's answer to Enter on a programme (ui/reserve_programme.h).
LRESULT showReservation(LPARAM announcement) {
  WatchAnnouncement* said = reinterpret_cast<WatchAnnouncement*>(announcement);
  trayIcon.showBalloon(*said);
  delete said;
  return 0;
}

void announceWatchMatches(const std::vector<WatchChange>& changes = {}) {
  WatchAnnouncement announcement;
  if (checkWatchListNow(mainWindow, changes, announcement)) trayIcon.showBalloon(announcement);
}

LRESULT recorderAnswered(LPARAM answered) {
  WatchAnnouncement announcement;
  if (takeRecorderAnswer(answered, announcement)) trayIcon.showBalloon(announcement);
  std::vector<WatchChange> held;
  if (takeHeldCheck(held)) announceWatchMatches(held);
  return 0;
}

// On the first run the connect dialog comes first; leaving it with
// "キャンセル" ends the program. False when the window was destroyed.
bool confirmFirstRun(HWND hwnd) {
  if (settings().executed() != 0) return true;
  if (openConnectDialog(hwnd, settings(), 0) != 1) {
    DestroyWindow(hwnd);
    return false;
  }
  settings().setExecuted(1);
  return true;
}

// The download time is what the user typed, so it keeps the machine's own
// clock; the crawl it starts still takes the guide's days in Japan time.
void setUpSchedule(HWND hwnd) {
  if (nextDailyRun(settings().downloadTime(), localDateTime(), schedule))
    SetTimer(hwnd, kScheduleTimer, 60000, nullptr);
}

LRESULT onCreate(HWND hwnd, const CREATESTRUCTA& cs) {
  mainWindow = hwnd;
  sizeClientArea(hwnd, cs);
  createChildren(hwnd);
  setFontOnChildren(hwnd, Application::instance().font());
  fillHourList();
  trayIcon.add(hwnd, Application::instance().modulePath());
  if (!confirmFirstRun(hwnd)) return 0;
  PostMessageA(hwnd, WM_COMMAND, kCommandToday, 0);
  if (settings().bootDownload()) {
    // The crawl's dialog run sets up the schedule and checks the watch
    // list when it ends: one balloon for the start, not two.
    PostMessageA(hwnd, WM_COMMAND, kCommandCrawl, 0);
    return 0;
  }
  PostMessageA(hwnd, WM_COMMAND, kCommandCheckWatch, 0);
  setUpSchedule(hwnd);
  return 0;
}

// The connect dialog, modal; the schedule waits while it is open.
void runConnectDialog(HWND hwnd, int autoStartId) {
  KillTimer(hwnd, kScheduleTimer);
  GuideCache& cache = Application::instance().guide();
  Application::instance().followWatchSettings();
  const WatchSnapshot watched = takeWatchSnapshot(cache, currentDateTime());
  openConnectDialog(hwnd, settings(), autoStartId);
  setUpSchedule(hwnd);
  // The dialog's job may have written the viewed day's files.
  reloadDay();
  setFocus(nullptr);
  announceWatchMatches(followWatchChanges(watched, cache, currentDateTime()));
}

void runSearchDialog(HWND hwnd) {
  ProgrammeQuery query;
  if (!openSearchDialog(hwnd, dayTable(), query)) return;
  setSearchQuery(query);
  showSearch(kSearchResults);
  setFocus(programmeList().handle());
}

// The schedule waits while the dialog is open, as for the connect dialog.
void runXmltvDialog(HWND hwnd) {
  KillTimer(hwnd, kScheduleTimer);
  openXmltvDialog(hwnd, settings());
  setUpSchedule(hwnd);
  setFocus(nullptr);
}

void showWatchView(HWND hwnd) {
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  showSearch(kWatchMatches);
  setFocus(programmeList().handle());
}

void showGenreOfCommand(int id) {
  int colour = 0;
  if (genreCommandColour(id, colour)) showGenre(colour);
}

LRESULT onCommand(HWND hwnd, int id) {
  switch (id) {
    case kCommandQuit: DestroyWindow(hwnd); break;
    case kCommandPreviousDay: showPreviousDay(true); break;
    case kCommandToday: showToday(); break;
    case kCommandNextDay: showNextDay(true); break;
    case kCommandSettings: runConnectDialog(hwnd, 0); break;
    case kCommandCrawl: runConnectDialog(hwnd, IDC_CRAWL); break;
    case kCommandSync: runConnectDialog(hwnd, IDC_SYNC); break;
    case kCommandHourView: showHour(viewState().hour); break;
    case kCommandCompanionStart: launchCompanion(""); break;
    case kCommandCompanionRemote: launchCompanion(kCompanionRemote); break;
    case kCommandCompanionReservations: launchCompanion(kCompanionReservationList); break;
    case kCommandSearch: runSearchDialog(hwnd); break;
    case kCommandWatch: showSearch(kWatchMatches); break;
    case kCommandRecorderReserves: showSearch(kRecorderReserves); break;
    case kCommandCheckWatch: announceWatchMatches(); break;
    case kCommandXmltvSettings: runXmltvDialog(hwnd); break;
    case kCommandExplainWatch: openWatchExplainDialog(hwnd, settings()); break;
    default: showGenreOfCommand(id); break;
  }
  return 1;
}

// Every timer but the tray icon's retry checks the schedule.
LRESULT onTimer(HWND hwnd, WPARAM id) {
  if (id == kTrayRetryTimer) {
    trayIcon.retry();
    return 1;
  }
  if (dailyRunDue(schedule, localDateTime())) PostMessageA(hwnd, WM_COMMAND, kCommandCrawl, 0);
  return 1;
}

LRESULT onActivate(WPARAM wParam) {
  if (LOWORD(wParam) != 0) setFocus(nullptr);
  return 0;
}

LRESULT onClose(HWND hwnd) {
  ShowWindow(hwnd, SW_HIDE);
  return 1;
}

LRESULT onTrayCallback(HWND hwnd, LPARAM mouseEvent) {
  if (mouseEvent == NIN_BALLOONUSERCLICK) {
    showWatchView(hwnd);
  } else if (mouseEvent == WM_LBUTTONUP) {
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
  }
  return 1;
}

LRESULT onDestroy() {
  trayIcon.remove();
  PostQuitMessage(0);
  return 1;
}

}  // namespace

void showPopupMenu(HWND source, DWORD point) {
  HMENU menu = buildMenu(mainPopupMenu(viewState(), companionInstalled(), !settings().recorder().empty()));
  POINT at = {static_cast<SHORT>(LOWORD(point)), static_cast<SHORT>(HIWORD(point))};
  ClientToScreen(source, &at);
  // Without this the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(mainWindow);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, mainWindow, nullptr);
  DestroyMenu(menu);
}

LRESULT CALLBACK mainWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (trayIcon.isShellRestart(message)) return 0;
  switch (message) {
    case WM_CREATE: return onCreate(hwnd, *reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_COMMAND: return onCommand(hwnd, LOWORD(wParam));
    case WM_NOTIFY: return onListNotify(lParam);
    case WM_TIMER: return onTimer(hwnd, wParam);
    case WM_ACTIVATE: return onActivate(wParam);
    case WM_CLOSE: return onClose(hwnd);
    case kTrayCallbackMessage: return onTrayCallback(hwnd, lParam);
    case WM_DESTROY: return onDestroy();
    case kDescribeListRow: {
      // A test hook: see list_row_query.h.
      const ListWindow& list = HIWORD(wParam) == 0 ? hourList() : programmeList();
      return list.describeRow(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
    case kDescribeAnnouncement: return describeAnnouncement(hwnd, lParam);
    case kShowReservation: return showReservation(lParam);
    case kRecorderAnswered: return recorderAnswered(lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
