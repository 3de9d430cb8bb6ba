#include "ui/focus.h"

namespace {
HWND savedFocus = nullptr;
}  // namespace

void setFocus(HWND window) {
  if (window != nullptr) savedFocus = window;
  SetFocus(savedFocus);
}
