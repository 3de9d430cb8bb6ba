// The main window as an object: it sees its window from WM_NCCREATE to
// WM_NCDESTROY, and its lists answer for the rows it filled them with.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/list_row_query.h"

namespace {

std::string lastCopy;

LRESULT CALLBACK askerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcA(hwnd, message, wParam, lParam);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  lastCopy.assign(static_cast<const char*>(data->lpData));
  return 1;
}

HWND createWindowOf(const char* className, WNDPROC procedure, void* creation) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, className, WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), creation);
}

TEST(MainWindowTest, TheObjectHoldsItsWindowForItsWholeLifeAndItsListsDrawTheirOwnRows) {
  SettingsStore settings;
  settings.setExecuted(1);  // no first-run dialog
  GuideCache guide(settings);
  WatchSettingsFollower follower;
  MainWindow window(WindowContext{settings, guide, follower, GetModuleHandleA(nullptr), "", "",
                                  static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT))});
  HWND hwnd = createWindowOf("MainWindowTest", MainWindow::procedure, &window);
  if (hwnd == nullptr) GTEST_SKIP() << "no display: run these tests on an X display";
  HWND asker = createWindowOf("MainWindowTestAsker", askerProcedure, nullptr);
  ASSERT_NE(nullptr, asker);

  EXPECT_EQ(hwnd, window.mainWindow());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&window), GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  // Hour list row 1, "05:00", as the list itself would paint it.
  EXPECT_EQ(5, SendMessageA(hwnd, kDescribeListRow, MAKEWPARAM(1, 0), reinterpret_cast<LPARAM>(asker)));
  EXPECT_EQ("05:00", lastCopy.substr(lastCopy.size() - 5));
  // The programme list has no rows before a day is shown.
  EXPECT_EQ(-1, SendMessageA(hwnd, kDescribeListRow, MAKEWPARAM(0, 1), reinterpret_cast<LPARAM>(asker)));

  DestroyWindow(hwnd);
  EXPECT_EQ(nullptr, window.mainWindow());
  DestroyWindow(asker);
  // The window's end posted the quit that ends the program's loop; it must
  // not end another test's.
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace
