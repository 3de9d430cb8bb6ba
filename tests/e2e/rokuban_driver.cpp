// rokuban-driver: drives a running Rokuban.exe from outside, for the
// end-to-end tests. Each call does one thing to one window found by class
// and title (arguments arrive in code page 932) and answers by its exit
// code (0 yes/done, 1 no/failed, 2 usage) and, for queries, on stdout.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// A SYSTEMTIME inside the target process: the picker's messages carry a
// pointer that is not carried across processes.
class RemoteTime {
 public:
  explicit RemoteTime(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      remote_ = VirtualAllocEx(process_, nullptr, sizeof(SYSTEMTIME), MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteTime() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return remote_ != nullptr; }
  LPARAM pointer() const { return reinterpret_cast<LPARAM>(remote_); }
  bool write(const SYSTEMTIME& time) {
    return WriteProcessMemory(process_, remote_, &time, sizeof time, nullptr);
  }
  bool read(SYSTEMTIME& time) {
    return ReadProcessMemory(process_, remote_, &time, sizeof time, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
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

int click(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  PostMessageA(control, BM_CLICK, 0, 0);
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

int printEnabled(char** args) {
  HWND control = dialogControl(args[0], std::atoi(args[1]));
  if (!control) return 1;
  std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
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

struct Verb {
  const char* name;
  int argumentCount;  // at least
  int (*run)(char** args);
  const char* usage;
};

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
    {"text", 2, printText, "TITLE ID"},
    {"expect-text", 3, expectText, "TITLE ID TEXT [MS]"},
    {"set-text", 3, setText, "TITLE ID TEXT"},
    {"enabled", 2, printEnabled, "TITLE ID"},
    {"checked", 2, printChecked, "TITLE ID"},
    {"set-check", 3, setCheck, "TITLE ID 0|1"},
    {"combo-items", 2, printComboItems, "TITLE ID"},
    {"combo-selected", 2, printComboSelection, "TITLE ID"},
    {"combo-select", 3, selectComboItem, "TITLE ID INDEX"},
    {"set-time", 4, setPickerTime, "TITLE ID HOUR MINUTE"},
    {"time", 2, printPickerTime, "TITLE ID"},
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
