// The remembered focus.
#include "ui/focus_memory.h"

void FocusMemory::setFocus(HWND window) {
  if (window != nullptr) saved_ = window;
  SetFocus(saved_);
}
