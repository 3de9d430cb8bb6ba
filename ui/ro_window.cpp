// The framework window class and its dispatcher.
#include "ui/ro_window.h"

namespace {
const char kClassName[] = "RoWindowBase";
ATOM classAtom = 0;

// Registers the class once per process; a failure is tried again next time.
ATOM registeredClass() {
  if (classAtom != 0) return classAtom;
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;  // the lists take double-clicks
  wc.lpfnWndProc = RoWindow::dispatch;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  classAtom = RegisterClassA(&wc);
  return classAtom;
}
}  // namespace

ATOM roWindowClassAtom() { return classAtom; }

LRESULT RoWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return defaultProc(message, wParam, lParam);
}

LRESULT RoWindow::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(handle_, message, wParam, lParam);
}

bool RoWindow::createChild(HWND parent, DWORD style, int x, int y, int width, int height,
                           HMENU menuOrId) {
  ATOM atom = registeredClass();
  HWND hwnd = CreateWindowExA(0, MAKEINTATOM(atom), nullptr, style, x, y, width, height, parent,
                              menuOrId, GetModuleHandleA(nullptr), this);
  return hwnd != nullptr;
}

LRESULT CALLBACK RoWindow::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  RoWindow* object;
  if (message == WM_CREATE) {
    object = static_cast<RoWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    object->handle_ = hwnd;
    // A pointer needs the full-width slot on 64-bit Windows.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  } else {
    object = reinterpret_cast<RoWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (object == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  return object->windowProc(message, wParam, lParam);
}
