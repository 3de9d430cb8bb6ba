// RoWindow: a child window owned by an object that receives the window's
// messages through a virtual function. The object pointer lives in the
// window's user data; there is no table from handles to objects.
// The object must outlive its window; destroying the object leaves the
// window alone.
#pragma once

#include <windows.h>

class RoWindow {
 public:
  RoWindow() = default;
  RoWindow(const RoWindow&) = delete;
  RoWindow& operator=(const RoWindow&) = delete;
  virtual ~RoWindow() = default;

  // Every message of the window from WM_CREATE on.
  virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // DefWindowProcA for the messages windowProc leaves alone.
  virtual LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Creates the window of class "RoWindowBase" (registered on first use).
  bool createChild(HWND parent, DWORD style, int x, int y, int width, int height,
                   HMENU menuOrId);
  HWND handle() const { return handle_; }

  // The window procedure of "RoWindowBase".
  static LRESULT CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND handle_ = nullptr;
};

// The class atom of "RoWindowBase", 0 until it is registered.
ATOM roWindowClassAtom();
