// The window framework under a real window manager: the dispatcher, the
// class registration and the font on every child.
#include <gtest/gtest.h>

#include <vector>

#include "ui/child_controls.h"
#include "ui/ro_window.h"

namespace {

class RecordingWindow : public RoWindow {
 public:
  LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    if (message == WM_CREATE) handleAtCreate = handle();
    return defaultProc(message, wParam, lParam);
  }
  std::vector<UINT> messages;
  HWND handleAtCreate = nullptr;
};

class WindowFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPED, 0, 0, 200, 200, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    // Under wine without a display no window can be made at all.
    if (parent == nullptr) GTEST_SKIP() << "no display: run these tests on an X display";
  }
  void TearDown() override {
    if (parent) DestroyWindow(parent);
  }
  HWND parent = nullptr;
};

TEST_F(WindowFrameworkTest, ObjectSeesItsWindowFromCreateOnAndTheClassIsRegisteredOnce) {
  RecordingWindow first, second;
  ASSERT_TRUE(first.createChild(parent, WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, nullptr));
  ATOM atom = roWindowClassAtom();
  ASSERT_NE(0, atom);
  ASSERT_TRUE(second.createChild(parent, WS_CHILD, 0, 60, 50, 50, nullptr));
  EXPECT_EQ(atom, roWindowClassAtom());

  // WM_NCCREATE and the others before WM_CREATE never reach the object.
  ASSERT_FALSE(first.messages.empty());
  EXPECT_EQ(static_cast<UINT>(WM_CREATE), first.messages.front());
  EXPECT_EQ(first.handle(), first.handleAtCreate);
  EXPECT_NE(first.handle(), second.handle());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&second), GetWindowLongPtrA(second.handle(), GWLP_USERDATA));

  char className[64] = {};
  GetClassNameA(first.handle(), className, sizeof className);
  EXPECT_STREQ("RoWindowBase", className);
  EXPECT_EQ(0, GetDlgCtrlID(first.handle()));  // both lists carry id 0

  SendMessageA(second.handle(), WM_USER + 5, 0, 0);
  EXPECT_EQ(static_cast<UINT>(WM_USER + 5), second.messages.back());
}

TEST_F(WindowFrameworkTest, EveryChildGetsTheFontAndButtonsCarryTheirIds) {
  HWND ok = createButton(parent, 0, 0, 30, 20, "OK", 1);
  HWND crawl = createButton(parent, 30, 0, 30, 20, "x", 1004);
  HWND pane = createDetailEdit(parent, 0, 30, 100, 100);
  RecordingWindow list;
  ASSERT_TRUE(list.createChild(parent, WS_CHILD, 0, 0, 10, 10, nullptr));
  ASSERT_TRUE(ok && crawl && pane);
  EXPECT_EQ(1004, GetDlgCtrlID(crawl));
  EXPECT_EQ(0, GetWindowLongA(pane, GWL_STYLE) & ES_READONLY);  // the pane is editable

  HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  setFontOnChildren(parent, font);
  for (HWND child : {ok, crawl, pane})
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageA(child, WM_GETFONT, 0, 0));
  bool listGotFont = false;
  for (UINT message : list.messages) listGotFont |= message == WM_SETFONT;
  EXPECT_TRUE(listGotFont);
}

}  // namespace

TEST_F(WindowFrameworkTest, ObjectLetsGoOfItsWindowAtTheLastMessageOrWhenItGoesFirst) {
  RecordingWindow object;
  ASSERT_TRUE(object.createChild(parent, WS_CHILD, 0, 0, 50, 50, nullptr));
  DestroyWindow(object.handle());
  EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), object.messages.back());
  EXPECT_EQ(nullptr, object.handle());

  HWND orphan;
  {
    RecordingWindow shortLived;
    ASSERT_TRUE(shortLived.createChild(parent, WS_CHILD, 0, 0, 50, 50, nullptr));
    orphan = shortLived.handle();
  }
  EXPECT_EQ(0, GetWindowLongPtrA(orphan, GWLP_USERDATA));
  SendMessageA(orphan, WM_USER + 5, 0, 0);  // reaches no object
  DestroyWindow(orphan);
}
