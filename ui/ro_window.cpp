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

RoWindow::~RoWindow() {
  if (handle_ != nullptr) SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
}

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

// The object holds its window from WM_NCCREATE, so that no message passes
// it by unowned, and lets go after WM_NCDESTROY, the window's last; it is
// told what happens from WM_CREATE on, when its window is whole.
LRESULT CALLBACK RoWindow::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) attach(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
  auto* object = reinterpret_cast<RoWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (object == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_CREATE) object->created_ = true;
  if (!object->created_) return DefWindowProcA(hwnd, message, wParam, lParam);
  const LRESULT result = object->windowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) object->detach();
  return result;
}

void RoWindow::attach(HWND hwnd, const CREATESTRUCTA* creation) {
  auto* object = static_cast<RoWindow*>(creation->lpCreateParams);
  if (object != nullptr) object->handle_ = hwnd;
  // A pointer needs the full-width slot on 64-bit Windows.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

void RoWindow::detach() {
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  handle_ = nullptr;
  created_ = false;
}
