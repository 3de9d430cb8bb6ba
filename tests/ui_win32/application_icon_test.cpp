// The main window's class icon: the icon taken from the executable is
// destroyed when the class took another one, and kept while it is in use.
#include "app/application.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool isIcon(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return true;
}

// Takes its icons from a library that has some, and records the one the
// class was offered.
class IconApplication : public Application {
 public:
  explicit IconApplication(bool replaceIcon) : replaceIcon_(replaceIcon) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("shell32.dll"), path, sizeof path);
    modulePath_ = path;
  }
  int run() override { return 0; }
  void adjustWindowClass(WNDCLASSA& wc, CREATESTRUCTA& cs) override {
    extracted = wc.hIcon;
    cs.style &= ~WS_VISIBLE;
    if (replaceIcon_) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  }
  HICON extracted = nullptr;

 private:
  bool replaceIcon_;
};

TEST(ApplicationIconTest, TheExtractedIconLivesOnlyWhileTheClassUsesIt) {
  struct Case {
    const char* className;
    bool replaceIcon;
    bool iconAfterwards;
  } cases[] = {{"IconReplaced", true, false}, {"IconKept", false, true}};
  for (const Case& c : cases) {
    IconApplication application(c.replaceIcon);
    if (!application.createMainWindow(c.className, c.className, plainProcedure))
      GTEST_SKIP() << "no display: run these tests on an X display";
    ASSERT_NE(nullptr, application.extracted) << "shell32.dll offers no icon";
    EXPECT_EQ(c.iconAfterwards, isIcon(application.extracted)) << c.className;
    DestroyWindow(application.mainWindow());
  }
}

}  // namespace
