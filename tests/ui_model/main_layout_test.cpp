// The main window's band layout on its 640 x 320 client area.
#include "ui/model/main_layout.h"

#include <gtest/gtest.h>

namespace {

void expectRect(const LayoutRect& r, int x, int y, int width, int height) {
  EXPECT_EQ(x, r.x);
  EXPECT_EQ(y, r.y);
  EXPECT_EQ(width, r.width);
  EXPECT_EQ(height, r.height);
}

TEST(MainLayoutTest, ChildrenOverlapTheirNeighboursByOnePixel) {
  MainLayout l = mainLayout(kMainClientWidth, kMainClientHeight);
  expectRect(l.hourList, 0, 0, 42, 320);
  expectRect(l.okButton, 603, 0, 37, 24);
  expectRect(l.previousButton, 41, 0, 18, 24);
  expectRect(l.dateButton, 58, 0, 68, 24);
  expectRect(l.nextButton, 125, 0, 18, 24);
  expectRect(l.crawlButton, 142, 0, 115, 24);
  expectRect(l.syncButton, 256, 0, 115, 24);
  expectRect(l.settingsButton, 370, 0, 234, 24);
  expectRect(l.detailPane, 441, 23, 199, 297);
  expectRect(l.programmeList, 41, 23, 401, 297);
}

}  // namespace
