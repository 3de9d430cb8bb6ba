// The application object's module bookkeeping, main window and loop.
#include "app/application.h"

#include <shellapi.h>

#include "bytes/paths.h"

Application::Application() : module_(GetModuleHandleA(nullptr)) {}

Application::~Application() = default;

void Application::adjustWindowClass(WNDCLASSA&, CREATESTRUCTA&) {}

void Application::init(HINSTANCE module, HINSTANCE, char*, int) {
  module_ = module;
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  modulePath_ = path;
  // directoryOf never takes the trail byte of a double-byte character for
  // a separator.
  moduleDirectory_ = directoryOf(modulePath_);
}

bool Application::createMainWindow(const char* className, const char* title, WNDPROC procedure,
                                   void* creation) {
  HICON large = nullptr;
  HICON small = nullptr;
  ExtractIconExA(modulePath_.c_str(), 0, &large, &small, 1);

  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = module_;
  wc.hIcon = large;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  mainClassName_ = className;

  CREATESTRUCTA cs = {};
  cs.hInstance = module_;
  cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
  cs.style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
  cs.lpszName = title;
  cs.lpszClass = className;
  cs.lpCreateParams = creation;

  adjustWindowClass(wc, cs);
  // A class that took another icon leaves the extracted one to nobody.
  if (large != nullptr && wc.hIcon != large) DestroyIcon(large);
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  mainWindow_ = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
  if (mainWindow_ == nullptr) return false;
  SetForegroundWindow(mainWindow_);
  PostMessageA(mainWindow_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  return true;
}

int Application::runMessageLoop() {
  MSG msg = {};
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
