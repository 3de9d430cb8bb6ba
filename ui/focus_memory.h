// FocusMemory: the keyboard focus among the main window's controls,
// remembered so that it comes back where it was after a dialog or a menu.
// The main window owns one and lends it to its lists and views.
#pragma once

#include <windows.h>

class FocusMemory {
 public:
  // Gives the focus to `window`, or back to the window that last had it
  // through this object when `window` is null.
  void setFocus(HWND window);

 private:
  HWND saved_ = nullptr;
};
