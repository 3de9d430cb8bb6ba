// The main window: creation, commands, list notifications, popup menu,
// the tray icon's clicks and the schedule.
#include "ui/main_window.h"

#include <memory>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "ui/child_controls.h"
#include "ui/connect_dialog.h"
#include "ui/list_row_query.h"
#include "ui/model/command_labels.h"
#include "ui/model/companion_tool.h"
#include "ui/model/main_layout.h"
#include "ui/model/popup_menu.h"
#include "ui/search_dialog.h"
#include "ui/watch_explain_dialog.h"
#include "ui/xmltv_dialog.h"
#include "watch/watch_follow.h"

namespace {

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

}  // namespace

MainWindow::MainWindow(const WindowContext& context)
    : context_(context),
      companion_(context.moduleDirectory),
      reserver_(context.settings, context.guide, companion_),
      hourList_(*this),
      programmeList_(*this),
      searchView_(context_, reserver_, companion_, *this),
      guideView_(context.guide, hourList_, programmeList_, searchView_, reserver_, focus_),
      watchAnnouncer_(context_, searchView_, companion_) {}

// Attached at WM_NCCREATE so that no message of the window passes the
// object by; let go at WM_NCDESTROY, the window's last.
LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (created != nullptr) created->handle_ = hwnd;
    // A pointer needs the full-width slot on 64-bit Windows.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY && window != nullptr) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->handle_ = nullptr;
    window = nullptr;
  }
  if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  return window->windowProc(message, wParam, lParam);
}

LRESULT MainWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (trayIcon_.isShellRestart(message)) return 0;
  switch (message) {
    case WM_CREATE: return onCreate(*reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_COMMAND: return onCommand(LOWORD(wParam));
    case WM_NOTIFY: return onNotify(lParam);
    case WM_TIMER: return onTimer(wParam);
    case WM_ACTIVATE: return onActivate(wParam);
    case WM_CLOSE: return onClose();
    case kTrayCallbackMessage: return onTrayCallback(lParam);
    case WM_DESTROY: return onDestroy();
    case kDescribeListRow: return describeListRow(wParam, lParam);
    case kDescribeAnnouncement: return watchAnnouncer_.describe(handle_, lParam);
    case kShowReservation: return showReservation(lParam);
    case kShowRecorderReserves: return showRecorderReserves(lParam);
    case kRecorderAnswered: return recorderAnswered(lParam);
    default: return DefWindowProcA(handle_, message, wParam, lParam);
  }
}

void MainWindow::createChildren() {
  MainLayout layout = mainLayout(kMainClientWidth, kMainClientHeight);
  hourList_.create(handle_, layout.hourList);
  button(handle_, layout.okButton, "OK", kCommandQuit);
  button(handle_, layout.previousButton, "<", kCommandPreviousDay);
  button(handle_, layout.dateButton, "", kCommandToday);
  button(handle_, layout.nextButton, ">", kCommandNextDay);
  button(handle_, layout.crawlButton, kCrawlLabel, kCommandCrawl);
  button(handle_, layout.syncButton, kSyncLabel, kCommandSync);
  button(handle_, layout.settingsButton, kSettingsLabel, kCommandSettings);
  const LayoutRect& pane = layout.detailPane;
  detailPane_ = createDetailEdit(handle_, pane.x, pane.y, pane.width, pane.height);
  programmeList_.create(handle_, layout.programmeList);
}

void MainWindow::showDetail(const std::string& text) {
  if (detailPane_) SetWindowTextA(detailPane_, text.c_str());
}

// The recorder's answer to Enter on a programme (ui/reserve_programme.h).
LRESULT MainWindow::showReservation(LPARAM announcement) {
  WatchAnnouncement* said = reinterpret_cast<WatchAnnouncement*>(announcement);
  trayIcon_.showBalloon(*said);
  delete said;
  return 0;
}

// The reserves view opens when the recorder has answered: one that does not
// answer never holds the window.
void MainWindow::listRecorderReserves() {
  const std::string recorder = context_.settings.recorder();
  if (recorder.empty()) return guideView_.showSearch(kRecorderReserves);
  askRecorderForReserves(handle_, recorder);
}

LRESULT MainWindow::showRecorderReserves(LPARAM reserves) {
  std::unique_ptr<std::vector<RecorderReserve>> given(reinterpret_cast<std::vector<RecorderReserve>*>(reserves));
  searchView_.setRecorderReserves(std::move(*given));
  guideView_.showSearch(kRecorderReserves);
  return 0;
}

void MainWindow::announceWatchMatches(const std::vector<WatchChange>& changes) {
  WatchAnnouncement announcement;
  if (watchAnnouncer_.checkNow(handle_, changes, announcement)) trayIcon_.showBalloon(announcement);
}

LRESULT MainWindow::recorderAnswered(LPARAM answered) {
  WatchAnnouncement announcement;
  if (watchAnnouncer_.takeRecorderAnswer(answered, announcement)) trayIcon_.showBalloon(announcement);
  std::vector<WatchChange> held;
  if (watchAnnouncer_.takeHeldCheck(held)) announceWatchMatches(held);
  return 0;
}

// On the first run the connect dialog comes first; leaving it with
// "キャンセル" ends the program. False when the window was destroyed.
bool MainWindow::confirmFirstRun() {
  SettingsStore& settings = context_.settings;
  if (settings.executed() != 0) return true;
  if (openConnectDialog(handle_, context_.module, settings, 0) != 1) {
    DestroyWindow(handle_);
    return false;
  }
  settings.setExecuted(1);
  return true;
}

// The download time is what the user typed, so it keeps the machine's own
// clock; the crawl it starts still takes the guide's days in Japan time.
void MainWindow::setUpSchedule() {
  if (nextDailyRun(context_.settings.downloadTime(), localDateTime(), schedule_))
    SetTimer(handle_, kScheduleTimer, 60000, nullptr);
}

LRESULT MainWindow::onCreate(const CREATESTRUCTA& cs) {
  HWND hwnd = handle_;
  sizeClientArea(hwnd, cs);
  createChildren();
  setFontOnChildren(hwnd, context_.font);
  hourList_.fill();
  trayIcon_.add(hwnd, context_.modulePath);
  if (!confirmFirstRun()) return 0;
  PostMessageA(hwnd, WM_COMMAND, kCommandToday, 0);
  if (context_.settings.bootDownload()) {
    // The crawl's dialog run sets up the schedule and checks the watch
    // list when it ends: one balloon for the start, not two.
    PostMessageA(hwnd, WM_COMMAND, kCommandCrawl, 0);
    return 0;
  }
  PostMessageA(hwnd, WM_COMMAND, kCommandCheckWatch, 0);
  setUpSchedule();
  return 0;
}

// The connect dialog, modal; the schedule waits while it is open.
void MainWindow::runConnectDialog(int autoStartId) {
  KillTimer(handle_, kScheduleTimer);
  GuideCache& cache = context_.guide;
  context_.followWatchSettings();
  const WatchSnapshot watched = takeWatchSnapshot(cache, cache.now());
  openConnectDialog(handle_, context_.module, context_.settings, autoStartId);
  setUpSchedule();
  // The dialog's job may have written the viewed day's files.
  guideView_.reloadDay();
  focus_.setFocus(nullptr);
  announceWatchMatches(followWatchChanges(watched, cache, cache.now()));
}

void MainWindow::runSearchDialog() {
  ProgrammeQuery query;
  if (!openSearchDialog(handle_, context_.module, guideView_.dayTable(), query)) return;
  searchView_.setQuery(query);
  guideView_.showSearch(kSearchResults);
  focus_.setFocus(programmeList_.handle());
}

// The schedule waits while the dialog is open, as for the connect dialog.
void MainWindow::runXmltvDialog() {
  KillTimer(handle_, kScheduleTimer);
  openXmltvDialog(handle_, context_);
  setUpSchedule();
  focus_.setFocus(nullptr);
}

void MainWindow::showWatchView() {
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  guideView_.showSearch(kWatchMatches);
  focus_.setFocus(programmeList_.handle());
}

void MainWindow::showGenreOfCommand(int id) {
  int colour = 0;
  if (genreCommandColour(id, colour)) guideView_.showGenre(colour);
}

LRESULT MainWindow::onCommand(int id) {
  switch (id) {
    case kCommandQuit: DestroyWindow(handle_); break;
    case kCommandPreviousDay: guideView_.showPreviousDay(true); break;
    case kCommandToday: guideView_.showToday(); break;
    case kCommandNextDay: guideView_.showNextDay(true); break;
    case kCommandSettings: runConnectDialog(0); break;
    case kCommandCrawl: runConnectDialog(IDC_CRAWL); break;
    case kCommandSync: runConnectDialog(IDC_SYNC); break;
    case kCommandHourView: guideView_.showHour(guideView_.state().hour); break;
    case kCommandCompanionStart: companion_.launch(""); break;
    case kCommandCompanionRemote: companion_.launch(kCompanionRemote); break;
    case kCommandCompanionReservations: companion_.launch(kCompanionReservationList); break;
    case kCommandSearch: runSearchDialog(); break;
    case kCommandWatch: guideView_.showSearch(kWatchMatches); break;
    case kCommandRecorderReserves: listRecorderReserves(); break;
    case kCommandCheckWatch: announceWatchMatches(); break;
    case kCommandXmltvSettings: runXmltvDialog(); break;
    case kCommandExplainWatch: openWatchExplainDialog(handle_, context_); break;
    default: showGenreOfCommand(id); break;
  }
  return 1;
}

// WM_NOTIFY from either list, told apart by hwndFrom (both have id 0).
// Other senders are ignored.
LRESULT MainWindow::onNotify(LPARAM record) {
  const ListNotify& notice = *reinterpret_cast<const ListNotify*>(record);
  const HWND from = notice.header.hwndFrom;
  if (from == nullptr) return 1;
  if (from == hourList_.handle()) {
    hourList_.onNotify(notice);
  } else if (from == programmeList_.handle()) {
    programmeList_.onNotify(notice);
  }
  return 1;
}

// Every timer but the tray icon's retry checks the schedule.
LRESULT MainWindow::onTimer(WPARAM id) {
  if (id == kTrayRetryTimer) {
    trayIcon_.retry();
    return 1;
  }
  if (dailyRunDue(schedule_, localDateTime())) PostMessageA(handle_, WM_COMMAND, kCommandCrawl, 0);
  return 1;
}

LRESULT MainWindow::onActivate(WPARAM wParam) {
  if (LOWORD(wParam) != 0) focus_.setFocus(nullptr);
  return 0;
}

LRESULT MainWindow::onClose() {
  ShowWindow(handle_, SW_HIDE);
  return 1;
}

LRESULT MainWindow::onTrayCallback(LPARAM mouseEvent) {
  if (mouseEvent == NIN_BALLOONUSERCLICK) {
    showWatchView();
  } else if (mouseEvent == WM_LBUTTONUP) {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
  }
  return 1;
}

LRESULT MainWindow::onDestroy() {
  trayIcon_.remove();
  PostQuitMessage(0);
  return 1;
}

// A test hook: see list_row_query.h.
LRESULT MainWindow::describeListRow(WPARAM which, LPARAM asker) const {
  const ListWindow& list = HIWORD(which) == 0 ? hourList_.window() : programmeList_.window();
  return list.describeRow(LOWORD(which), reinterpret_cast<HWND>(asker));
}

void MainWindow::showPopupMenu(HWND source, DWORD point) {
  HMENU menu = buildMenu(mainPopupMenu(guideView_.state(), companion_.installed(), !context_.settings.recorder().empty()));
  POINT at = {static_cast<SHORT>(LOWORD(point)), static_cast<SHORT>(HIWORD(point))};
  ClientToScreen(source, &at);
  // Without this the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(handle_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, handle_, nullptr);
  DestroyMenu(menu);
}
