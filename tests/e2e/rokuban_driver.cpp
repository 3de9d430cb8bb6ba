// rokuban-driver: drives a running Rokuban.exe from outside, for the
// end-to-end tests. Each call does one thing to one window found by class
// and title (arguments arrive in code page 932) and answers by its exit
// code (0 yes/done, 1 no/failed, 2 usage) and, for queries, on stdout.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ui/list_row_query.h"
#include "ui/watch_announcer.h"

namespace {

const char kDialogClass[] = "#32770";
const int kDefaultWaitMs = 10000;

HWND findTopLevel(const char* className, const char* title) {
  return FindWindowA(std::strcmp(className, "-") == 0 ? nullptr : className, title);
}

HWND dialogControl(const char* title, int id) {
  HWND dialog = findTopLevel(kDialogClass, title);
  if (!dialog) {
    std::fprintf(stderr, "no dialog with that title\n");
    return nullptr;
  }
  HWND control = GetDlgItem(dialog, id);
  if (!control) std::fprintf(stderr, "no control %d\n", id);
  return control;
}

std::string windowText(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Memory inside the target process: the picker's messages carry a pointer,
// which is not carried across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) remote_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return remote_ != nullptr; }
  LPARAM pointer() const { return reinterpret_cast<LPARAM>(remote_); }
  bool write(const void* data) { return WriteProcessMemory(process_, remote_, data, size_, nullptr); }
  bool read(void* data) { return ReadProcessMemory(process_, remote_, data, size_, nullptr); }

 private:
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
  std::size_t size_;
};

class RemoteTime : public RemoteBuffer {
 public:
  explicit RemoteTime(HWND window) : RemoteBuffer(window, sizeof(SYSTEMTIME)) {}
  bool write(const SYSTEMTIME& time) { return RemoteBuffer::write(&time); }
  bool read(SYSTEMTIME& time) { return RemoteBuffer::read(&time); }
};

int waitWindow(char** args, bool gone) {
  int limit = args[2] ? std::atoi(args[2]) : kDefaultWaitMs;
  for (int waited = 0;; waited += 50) {
    bool present = findTopLevel(args[0], args[1]) != nullptr;
    if (present != gone) return 0;
    if (waited >= limit) return 1;
    Sleep(50);
  }
}

// A push button's click is what it tells its dialog, BN_CLICKED: BM_CLICK
// is lost now and then when the dialog is not the active window (seen
// after the companion tool had started). Other buttons are clicked.
int click(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
  } else {
    PostMessageA(control, BM_CLICK, 0, 0);
  }
  return 0;
}

// Posts the commands in one go, so that they arrive back to back.
int command(char** args) {
  HWND dialog = findTopLevel(kDialogClass, args[0]);
  if (!dialog) return 1;
  for (char** arg = args + 1; *arg; ++arg) {
    int id = std::atoi(*arg);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  return 0;
}

int mainCommand(char** args) {
  HWND main = findTopLevel("Rokuban", "Rokuban");
  if (!main) return 1;
  PostMessageA(main, WM_COMMAND, std::atoi(args[0]), 0);
  return 0;
}

// Sent, not posted: returns once the command has run (for commands that
// open no dialog).
int sendMainCommand(char** args) {
  HWND main = findTopLevel("Rokuban", "Rokuban");
  if (!main) return 1;
  SendMessageA(main, WM_COMMAND, std::atoi(args[0]), 0);
  return 0;
}

int printText(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  std::printf("%s\n", windowText(control).c_str());
  return 0;
}

int expectText(char** args) {
  int limit = args[3] ? std::atoi(args[3]) : kDefaultWaitMs;
  std::string seen;
  for (int waited = 0;; waited += 50) {
    HWND control = dialogControl(args[0], std::atoi(args[1]));
    if (control && (seen = windowText(control)) == args[2]) return 0;
    if (waited >= limit) break;
    Sleep(50);
  }
  std::printf("%s\n", seen.c_str());
  return 1;
}

int setText(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2]));
  return 0;
}

// One line for any number of controls, read at one moment.
int printEnabled(char** args) {
  std::string states;
  for (char** id = args + 1; *id; ++id) {
    HWND control = dialogControl(args[0], std::atoi(*id));
    if (!control) return 1;
    states += states.empty() ? "" : " ";
    states += IsWindowEnabled(control) ? "1" : "0";
  }
  std::printf("%s\n", states.c_str());
  return 0;
}

int printChecked(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  std::printf("%d\n", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
  return 0;
}

// Ticks or unticks a check box the way a user does, by clicking it.
int setCheck(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  bool want = std::atoi(args[2]) != 0;
  bool now = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (want != now) SendMessageA(control, BM_CLICK, 0, 0);
  return (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) == want ? 0 : 1;
}

int printComboItems(char** args) {
  HWND combo = dialogControl(args[0], std::atoi(args[1]));
  if (!combo) return 1;
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Asked for in UTF-16: the ANSI form does not come back converted from
    // another process under every Windows version.
    wchar_t wide[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s\n", text);
  }
  return 0;
}

int printComboSelection(char** args) {
  HWND combo = dialogControl(args[0], std::atoi(args[1]));
  if (!combo) return 1;
  std::printf("%d\n", static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
  return 0;
}

int selectComboItem(char** args) {
  HWND combo = dialogControl(args[0], std::atoi(args[1]));
  if (!combo) return 1;
  int index = std::atoi(args[2]);
  return SendMessageA(combo, CB_SETCURSEL, index, 0) == index ? 0 : 1;
}

int setPickerTime(char** args) {
  HWND picker = dialogControl(args[0], std::atoi(args[1]));
  if (!picker) return 1;
  RemoteTime remote(picker);
  SYSTEMTIME time = {};
  if (!remote.ok()) return 1;
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, remote.pointer());
  remote.read(time);
  time.wHour = static_cast<WORD>(std::atoi(args[2]));
  time.wMinute = static_cast<WORD>(std::atoi(args[3]));
  remote.write(time);
  return SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, remote.pointer()) ? 0 : 1;
}

int printPickerTime(char** args) {
  HWND picker = dialogControl(args[0], std::atoi(args[1]));
  if (!picker) return 1;
  RemoteTime remote(picker);
  SYSTEMTIME time = {};
  if (!remote.ok()) return 1;
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, remote.pointer());
  remote.read(time);
  std::printf("%02d:%02d\n", time.wHour, time.wMinute);
  return 0;
}

// --- The main window and its owner-drawn lists.

HWND mainWindow() { return findTopLevel("Rokuban", "Rokuban"); }

// The lists by where they sit: the hour list at the left edge, the
// programme list right of it (both have control id 0).
HWND listWindow(const char* which) {
  HWND main = mainWindow();
  if (!main) return nullptr;
  POINT at = std::strcmp(which, "hour") == 0 ? POINT{5, 100} : POINT{100, 100};
  HWND list = ChildWindowFromPointEx(main, at, CWP_ALL);
  if (list == main) list = nullptr;
  if (!list) std::fprintf(stderr, "no %s list\n", which);
  return list;
}

int listQuery(HWND list, int what) {
  return static_cast<int>(SendMessageA(list, kListQuery, static_cast<WPARAM>(what), 0));
}

int queryCode(const char* what) {
  if (std::strcmp(what, "count") == 0) return kQueryCount;
  if (std::strcmp(what, "selected") == 0) return kQuerySelected;
  if (std::strcmp(what, "top") == 0) return kQueryTop;
  if (std::strcmp(what, "row-height") == 0) return kQueryRowHeight;
  return -1;
}

int printListQuery(char** args) {
  HWND list = listWindow(args[0]);
  int what = queryCode(args[1]);
  if (!list || what < 0) return 1;
  std::printf("%d\n", listQuery(list, what));
  return 0;
}

// Receives the row descriptions the main window copies back (WM_COPYDATA)
// while the query is being sent: a message-only window of this thread.
class RowReplyWindow {
 public:
  RowReplyWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RokubanDriverReply";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  }
  ~RowReplyWindow() {
    if (window_) DestroyWindow(window_);
  }
  bool ok() const { return window_ != nullptr; }
  // The row's description, or false when the program answered none.
  bool describe(HWND main, int row, WORD which, std::string& description) {
    return ask(main, kDescribeListRow, MAKEWPARAM(row, which), description);
  }
  // The main window's record of its last watch-list announcement.
  bool describeAnnouncement(HWND main, std::string& description) {
    return ask(main, kDescribeAnnouncement, 0, description);
  }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if ((data.dwData != kRowDescriptionTag && data.dwData != kAnnouncementTag) || data.cbData == 0) return FALSE;
    received_.assign(static_cast<const char*>(data.lpData), data.cbData - 1);
    return TRUE;
  }
  bool ask(HWND main, UINT message, WPARAM wParam, std::string& answer) {
    received_.clear();
    if (SendMessageA(main, message, wParam, reinterpret_cast<LPARAM>(window_)) < 0) return false;
    answer = received_;
    return true;
  }

  static std::string received_;
  HWND window_ = nullptr;
};
std::string RowReplyWindow::received_;

// Every row as drawn: "BBGGRR TTGGRR text", one a line; with a row number
// only that row.
int printListRows(char** args) {
  HWND main = mainWindow();
  HWND list = listWindow(args[0]);
  if (!list) return 1;
  const WORD which = std::strcmp(args[0], "hour") == 0 ? 0 : 1;
  int first = 0, end = listQuery(list, kQueryCount);
  if (args[1]) {
    first = std::atoi(args[1]);
    end = first + 1;
  }
  RowReplyWindow reply;
  if (!reply.ok()) return 1;
  for (int row = first; row < end; ++row) {
    std::string text;
    if (!reply.describe(main, row, which, text)) return 1;
    std::printf("%s\n", text.c_str());
  }
  return 0;
}

// "balloons count reserved title", then the balloon's text lines.
int printAnnouncement(char**) {
  HWND main = mainWindow();
  RowReplyWindow reply;
  std::string text;
  if (!main || !reply.ok() || !reply.describeAnnouncement(main, text)) return 1;
  std::printf("%s\n", text.c_str());
  return 0;
}

// A left click on a row, scrolled into view first as a user would.
int clickListRow(char** args) {
  HWND list = listWindow(args[0]);
  if (!list) return 1;
  const int row = std::atoi(args[1]);
  if (row < 0 || row >= listQuery(list, kQueryCount)) return 1;
  RECT client;
  GetClientRect(list, &client);
  const int height = listQuery(list, kQueryRowHeight);
  int top = listQuery(list, kQueryTop);
  if (row < top || (row - top + 1) * height > client.bottom) {
    SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, row), 0);
    top = listQuery(list, kQueryTop);
  }
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, (row - top) * height + height / 2));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, (row - top) * height + height / 2));
  return listQuery(list, kQuerySelected) == row ? 0 : 1;
}

int doubleClickList(char** args) {
  HWND list = listWindow(args[0]);
  if (!list) return 1;
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  return 0;
}

int pressKey(char** args) {
  HWND list = listWindow(args[0]);
  if (!list) return 1;
  SendMessageA(list, WM_KEYDOWN, static_cast<WPARAM>(std::strtol(args[1], nullptr, 0)), 0);
  return 0;
}

// WM_GETTEXT is carried across processes, unlike GetWindowTextA on a
// window of another process, which returns the (empty) caption.
int printDetail(char**) {
  HWND main = mainWindow();
  HWND pane = main ? FindWindowExA(main, nullptr, "Edit", nullptr) : nullptr;
  if (!pane) return 1;
  std::printf("%s\n", windowText(pane).c_str());
  return 0;
}

int printMainControlText(char** args) {
  HWND main = mainWindow();
  HWND control = main ? GetDlgItem(main, std::atoi(args[0])) : nullptr;
  if (!control) return 1;
  std::printf("%s\n", windowText(control).c_str());
  return 0;
}

int printVisible(char**) {
  HWND main = mainWindow();
  if (!main) return 1;
  std::printf("%d\n", IsWindowVisible(main) ? 1 : 0);
  return 0;
}

int postMainMessage(char** args) {
  HWND main = mainWindow();
  if (!main) return 1;
  PostMessageA(main, static_cast<UINT>(std::strtoul(args[0], nullptr, 0)),
               static_cast<WPARAM>(std::strtoull(args[1], nullptr, 0)),
               static_cast<LPARAM>(std::strtoll(args[2], nullptr, 0)));
  return 0;
}

// Waits until the list holds at least MIN rows.
int waitRows(char** args) {
  const int minimum = std::atoi(args[1]);
  const int limit = args[2] ? std::atoi(args[2]) : kDefaultWaitMs;
  for (int waited = 0;; waited += 10) {
    HWND list = mainWindow() ? listWindow(args[0]) : nullptr;
    if (list && IsWindowVisible(mainWindow()) && listQuery(list, kQueryCount) >= minimum) return 0;
    if (waited >= limit) return 1;
    Sleep(10);
  }
}

// The shown popup menu of the process that owns `window`, or null. A menu
// window class may also have hidden windows that belong to nobody's menu.
HWND shownPopupMenu(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
       menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(menu, &pid);
    if (pid == owner && IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

HWND waitPopupMenu(HWND window, bool shown) {
  HWND menu = shownPopupMenu(window);
  for (int waited = 0; (menu != nullptr) != shown && waited < kDefaultWaitMs; waited += 20) {
    Sleep(20);
    menu = shownPopupMenu(window);
  }
  return menu;
}

// Right-clicks a list and, once its popup menu is open, walks it with the
// keys given (virtual-key codes) as a user would. Menus are not readable
// from another process under wine, so a test checks where the keys lead.
// Fails, closing the menu, when the keys leave it open.
int usePopupMenu(char** args) {
  HWND list = listWindow(args[0]);
  if (!list) return 1;
  PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  HWND popup = waitPopupMenu(list, true);
  if (!popup) return 1;
  for (char** key = args + 1; *key; ++key) {
    Sleep(50);
    // The menu's loop reads every key of its thread, whichever menu
    // window (the popup or a submenu) it was posted to.
    HWND target = IsWindow(popup) ? popup : shownPopupMenu(list);
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(std::strtol(*key, nullptr, 0)), 0);
  }
  if (!waitPopupMenu(list, false)) return 0;
  for (int i = 0; i < 3; ++i) {
    HWND open = shownPopupMenu(list);
    if (open) PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(100);
  }
  return 1;
}

// Whether the program still answers messages: a crashed one held by the
// debugger keeps its windows but answers nothing.
int responds(char** args) {
  HWND main = mainWindow();
  DWORD_PTR ignored = 0;
  const UINT limit = args[0] ? static_cast<UINT>(std::atoi(args[0])) : 3000;
  return main && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit, &ignored) ? 0 : 1;
}

// --- The tray icon, through the shell of wine's X11 driver: without a tray
// on the display it shows its icons in a window of its own, one child
// window per icon, which passes mouse events to the icon's owner.

const char kWineTrayClass[] = "__winex11_standalone_tray";
const char kWineTrayIconClass[] = "__winex11_tray_icon";

// The program's icon record as the shell knows it: owner window and id 1.
NOTIFYICONDATAA rokubanIcon(HWND main) {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = main;
  icon.uID = 1;
  return icon;
}

// Whether the shell holds the program's icon: changing nothing of it
// succeeds only then.
int trayIconPresent(char**) {
  HWND main = mainWindow();
  if (!main) return 1;
  NOTIFYICONDATAA icon = rokubanIcon(main);
  return Shell_NotifyIconA(NIM_MODIFY, &icon) ? 0 : 1;
}

// Polls `done` every 20 ms for up to `limit` ms, in one process: a wine
// start for every look would be slower than what is waited for.
bool waitUntil(int limit, const std::function<bool()>& done) {
  for (int waited = 0;; waited += 20) {
    if (done()) return true;
    if (waited >= limit) return false;
    Sleep(20);
  }
}

int waitLimit(const char* arg) { return arg ? std::atoi(arg) : kDefaultWaitMs; }

// Prints the main window's visibility once it is the wanted one, or as it
// is when the time is up.
int waitVisible(char** args) {
  const bool wanted = std::atoi(args[0]) != 0;
  const bool reached = waitUntil(waitLimit(args[1]), [&] {
    HWND main = mainWindow();
    return main && (IsWindowVisible(main) != 0) == wanted;
  });
  HWND main = mainWindow();
  if (!main) return 1;
  std::printf("%d\n", IsWindowVisible(main) ? 1 : 0);
  return reached ? 0 : 1;
}

int waitTrayIcon(char** args) {
  return waitUntil(waitLimit(args[0]), [] { return trayIconPresent(nullptr) == 0; }) ? 0 : 1;
}

// Prints whether a dialog's control is enabled once it is, or when the time
// is up.
int waitEnabled(char** args) {
  const int id = std::atoi(args[1]);
  waitUntil(waitLimit(args[2]), [&] {
    HWND control = findTopLevel(kDialogClass, args[0]) ? dialogControl(args[0], id) : nullptr;
    return control && IsWindowEnabled(control);
  });
  char* titleAndId[] = {args[0], args[1], nullptr};
  return printEnabled(titleAndId);
}

// The shell forgets the program's icon, as when it restarts.
int forgetTrayIcon(char**) {
  HWND main = mainWindow();
  if (!main) return 1;
  NOTIFYICONDATAA icon = rokubanIcon(main);
  return Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : 1;
}

// What a restarted shell sends to every top-level window.
int announceTaskbar(char**) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                             SMTO_ABORTIFHUNG, 5000, &ignored)
             ? 0
             : 1;
}

std::vector<HWND> trayIconWindows() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA(kWineTrayClass, nullptr);
  for (HWND icon = tray ? FindWindowExA(tray, nullptr, kWineTrayIconClass, nullptr) : nullptr; icon;
       icon = FindWindowExA(tray, icon, kWineTrayIconClass, nullptr)) {
    if (IsWindowVisible(icon)) icons.push_back(icon);
  }
  return icons;
}

// The number of icons the shell shows (only the program puts one there).
int printTrayIconCount(char**) {
  std::printf("%d\n", static_cast<int>(trayIconWindows().size()));
  return 0;
}

// A left click on the one icon the shell shows.
int clickTrayIcon(char**) {
  std::vector<HWND> icons = trayIconWindows();
  if (icons.size() != 1) return 1;
  SendMessageA(icons[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(icons[0], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  return 0;
}

struct Verb {
  const char* name;
  int argumentCount;  // at least
  int (*run)(char** args);
  const char* usage;
};

// A dialog's check-box list (a list view in another process): its items
// are read and ticked through an item record in that process's memory.
struct RemoteItem {
  LVITEMA item;
  char text[256];
};

int checkState(HWND list, int row) {
  const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0;
}

// One line per item: "0|1<TAB>first column<TAB>second column".
int printCheckItems(char** args) {
  HWND list = dialogControl(args[0], std::atoi(args[1]));
  if (!list) return 1;
  RemoteBuffer remote(list, sizeof(RemoteItem));
  if (!remote.ok()) return 1;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::string line = std::to_string(checkState(list, row));
    for (int column = 0; column < 2; ++column) {
      RemoteItem local = {};
      local.item.iSubItem = column;
      local.item.pszText = reinterpret_cast<char*>(remote.pointer()) + offsetof(RemoteItem, text);
      local.item.cchTextMax = sizeof local.text;
      if (!remote.write(&local)) return 1;
      SendMessageA(list, LVM_GETITEMTEXTA, row, remote.pointer());
      remote.read(&local);
      line += "\t" + std::string(local.text);
    }
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

int setItemCheck(char** args) {
  HWND list = dialogControl(args[0], std::atoi(args[1]));
  if (!list) return 1;
  const int row = std::atoi(args[2]);
  const bool want = std::atoi(args[3]) != 0;
  RemoteBuffer remote(list, sizeof(RemoteItem));
  if (!remote.ok()) return 1;
  RemoteItem local = {};
  local.item.stateMask = LVIS_STATEIMAGEMASK;
  local.item.state = INDEXTOSTATEIMAGEMASK(want ? 2 : 1);
  if (!remote.write(&local)) return 1;
  SendMessageA(list, LVM_SETITEMSTATE, row, remote.pointer());
  return checkState(list, row) == (want ? 1 : 0) ? 0 : 1;
}

// A console of the driver's own in the given code page, the command run in
// it as a user would in cmd, then its screen as the console holds it (one
// line per row, in code page 932 like the driver's other answers). The
// exit code is the command's.
std::string consoleRow(HANDLE console, SHORT row, SHORT width) {
  std::vector<wchar_t> cells(width);
  std::vector<WORD> attributes(width);
  DWORD read = 0;
  ReadConsoleOutputCharacterW(console, cells.data(), width, COORD{0, row}, &read);
  ReadConsoleOutputAttribute(console, attributes.data(), width, COORD{0, row}, &read);
  while (read > 0 && cells[read - 1] == L' ') --read;
  if (read == 0) return std::string();
  // A console that gives a full-width character two cells marks the second.
  std::wstring text;
  for (DWORD i = 0; i < read; ++i) {
    if (!(attributes[i] & COMMON_LVB_TRAILING_BYTE)) text += cells[i];
  }
  std::string out(text.size() * 2 + 1, '\0');
  const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                       static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(size > 0 ? size : 0);
  return out;
}

int runInConsole(char** args) {
  HANDLE answer = GetStdHandle(STD_OUTPUT_HANDLE);
  FreeConsole();
  if (!AllocConsole() || !SetConsoleOutputCP(std::atoi(args[1]))) return 1;
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = console;
  startup.hStdError = console;
  PROCESS_INFORMATION process = {};
  std::string commandLine = args[0];
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 1;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CONSOLE_SCREEN_BUFFER_INFO screen = {};
  GetConsoleScreenBufferInfo(console, &screen);
  std::string text;
  for (SHORT row = 0; row < screen.dwCursorPosition.Y; ++row) text += consoleRow(console, row, screen.dwSize.X) + "\n";
  DWORD written = 0;
  WriteFile(answer, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return static_cast<int>(exitCode);
}

int waitFor(char** args) { return waitWindow(args, false); }
int waitGone(char** args) { return waitWindow(args, true); }
int exists(char** args) { return findTopLevel(args[0], args[1]) ? 0 : 1; }

const Verb kVerbs[] = {
    {"wait-window", 2, waitFor, "CLASS TITLE [MS]"},
    {"wait-gone", 2, waitGone, "CLASS TITLE [MS]"},
    {"exists", 2, exists, "CLASS TITLE"},
    {"click", 2, click, "TITLE ID"},
    {"command", 2, command, "TITLE ID [ID...]"},
    {"main-command", 1, mainCommand, "ID"},
    {"send-command", 1, sendMainCommand, "ID"},
    {"text", 2, printText, "TITLE ID"},
    {"expect-text", 3, expectText, "TITLE ID TEXT [MS]"},
    {"set-text", 3, setText, "TITLE ID TEXT"},
    {"enabled", 2, printEnabled, "TITLE ID [ID...]"},
    {"checked", 2, printChecked, "TITLE ID"},
    {"set-check", 3, setCheck, "TITLE ID 0|1"},
    {"combo-items", 2, printComboItems, "TITLE ID"},
    {"combo-selected", 2, printComboSelection, "TITLE ID"},
    {"combo-select", 3, selectComboItem, "TITLE ID INDEX"},
    {"set-time", 4, setPickerTime, "TITLE ID HOUR MINUTE"},
    {"time", 2, printPickerTime, "TITLE ID"},
    {"list", 2, printListQuery, "hour|programme count|selected|top|row-height"},
    {"rows", 1, printListRows, "hour|programme [ROW]"},
    {"click-row", 2, clickListRow, "hour|programme ROW"},
    {"double-click", 1, doubleClickList, "hour|programme"},
    {"key", 2, pressKey, "hour|programme VK"},
    {"detail", 0, printDetail, ""},
    {"main-text", 1, printMainControlText, "ID"},
    {"visible", 0, printVisible, ""},
    {"post", 3, postMainMessage, "MESSAGE WPARAM LPARAM"},
    {"wait-rows", 2, waitRows, "hour|programme MIN [MS]"},
    {"popup-menu", 1, usePopupMenu, "hour|programme [VK...]"},
    {"responds", 0, responds, "[MS]"},
    {"tray-icon", 0, trayIconPresent, ""},
    {"tray-forget", 0, forgetTrayIcon, ""},
    {"taskbar-created", 0, announceTaskbar, ""},
    {"tray-count", 0, printTrayIconCount, ""},
    {"tray-click", 0, clickTrayIcon, ""},
    {"announcement", 0, printAnnouncement, ""},
    {"check-items", 2, printCheckItems, "TITLE ID"},
    {"set-item-check", 4, setItemCheck, "TITLE ID ROW 0|1"},
    {"wait-visible", 1, waitVisible, "0|1 [MS]"},
    {"wait-tray-icon", 0, waitTrayIcon, "[MS]"},
    {"wait-enabled", 2, waitEnabled, "TITLE ID [MS]"},
    {"console-run", 2, runInConsole, "COMMAND-LINE CODEPAGE"},
};

int usage() {
  std::fprintf(stderr, "usage: rokuban-driver VERB ARGS (CLASS may be -)\n");
  for (const Verb& verb : kVerbs) std::fprintf(stderr, "  %s %s\n", verb.name, verb.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  for (const Verb& verb : kVerbs) {
    if (std::strcmp(argv[1], verb.name) != 0) continue;
    if (argc - 2 < verb.argumentCount) return usage();
    return verb.run(argv + 2);
  }
  return usage();
}
