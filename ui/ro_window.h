// RoWindow: a child window owned by an object that receives the window's
// messages through a virtual function. The object pointer lives in the
// window's user data from WM_NCCREATE to WM_NCDESTROY; there is no table
// from handles to objects. Once its window is gone, handle() is null again.
// Destroying the object first leaves the window alone but unowned: its
// later messages get the default handling.
#pragma once

#include <windows.h>

class RoWindow {
 public:
  RoWindow() = default;
  RoWindow(const RoWindow&) = delete;
  RoWindow& operator=(const RoWindow&) = delete;
  virtual ~RoWindow();

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
  static void attach(HWND hwnd, const CREATESTRUCTA* creation);
  void detach();

  HWND handle_ = nullptr;
  bool created_ = false;  // WM_CREATE has come: messages reach windowProc
};

// The class atom of "RoWindowBase", 0 until it is registered.
ATOM roWindowClassAtom();
