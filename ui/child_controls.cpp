// Standard child controls of the main window.
#include "ui/child_controls.h"

HWND createButton(HWND parent, int x, int y, int width, int height, const char* text, int id) {
  return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND createDetailEdit(HWND parent, int x, int y, int width, int height) {
  return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE,
                         x, y, width, height, parent, nullptr, nullptr, nullptr);
}

namespace {
BOOL CALLBACK setFontOnChild(HWND child, LPARAM font) {
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(*reinterpret_cast<HFONT*>(font)), TRUE);
  return TRUE;
}
}  // namespace

void setFontOnChildren(HWND parent, HFONT font) {
  EnumChildWindows(parent, setFontOnChild, reinterpret_cast<LPARAM>(&font));
}
