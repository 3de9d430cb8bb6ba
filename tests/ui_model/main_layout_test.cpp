// The main window's band layout on its 640 x 320 client area.
#include "ui/model/main_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void expectRect(const LayoutRect& r, int x, int y, int width, int height) {
  EXPECT_EQ(x, r.x);
  EXPECT_EQ(y, r.y);
  EXPECT_EQ(width, r.width);
  EXPECT_EQ(height, r.height);
}

TEST(MainLayoutTest, ChildrenSitAtTheirFixedRectangles) {
  MainLayout l = mainLayout(kMainClientWidth, kMainClientHeight);
  expectRect(l.hourList, 0, 0, 56, 320);  // "05:00" whole beside the scroll bar
  expectRect(l.okButton, 603, 0, 37, 24);
  expectRect(l.previousButton, 55, 0, 18, 24);
  expectRect(l.dateButton, 72, 0, 68, 24);
  expectRect(l.nextButton, 139, 0, 18, 24);
  expectRect(l.crawlButton, 156, 0, 112, 24);
  expectRect(l.syncButton, 267, 0, 112, 24);
  expectRect(l.settingsButton, 378, 0, 226, 24);
  expectRect(l.detailPane, 445, 23, 195, 297);
  expectRect(l.programmeList, 55, 23, 391, 297);
}

// Left to right (or top to bottom): `second` starts on the last pixel of `first`.
struct Neighbours {
  const char* name;
  const LayoutRect& first;
  const LayoutRect& second;
  bool across;  // side by side; otherwise stacked
};

TEST(MainLayoutTest, ChildrenOverlapTheirNeighboursByOnePixelAndCoverTheClientArea) {
  const MainLayout l = mainLayout(kMainClientWidth, kMainClientHeight);
  for (const Neighbours& n : {Neighbours{"hours|<", l.hourList, l.previousButton, true},
                              Neighbours{"<|date", l.previousButton, l.dateButton, true},
                              Neighbours{"date|>", l.dateButton, l.nextButton, true},
                              Neighbours{">|crawl", l.nextButton, l.crawlButton, true},
                              Neighbours{"crawl|sync", l.crawlButton, l.syncButton, true},
                              Neighbours{"sync|settings", l.syncButton, l.settingsButton, true},
                              Neighbours{"settings|OK", l.settingsButton, l.okButton, true},
                              Neighbours{"hours|list", l.hourList, l.programmeList, true},
                              Neighbours{"list|detail", l.programmeList, l.detailPane, true},
                              Neighbours{"toolbar/list", l.settingsButton, l.programmeList, false},
                              Neighbours{"toolbar/detail", l.okButton, l.detailPane, false}}) {
    if (n.across) {
      EXPECT_EQ(n.first.x + n.first.width - 1, n.second.x) << n.name;
    } else {
      EXPECT_EQ(n.first.y + n.first.height - 1, n.second.y) << n.name;
    }
  }
  std::vector<bool> covered(kMainClientWidth * kMainClientHeight, false);
  for (const LayoutRect& r : {l.hourList, l.okButton, l.previousButton, l.dateButton, l.nextButton,
                              l.crawlButton, l.syncButton, l.settingsButton, l.detailPane, l.programmeList}) {
    ASSERT_GE(r.x, 0);
    ASSERT_GE(r.y, 0);
    ASSERT_LE(r.x + r.width, kMainClientWidth);
    ASSERT_LE(r.y + r.height, kMainClientHeight);
    for (int y = r.y; y < r.y + r.height; ++y)
      for (int x = r.x; x < r.x + r.width; ++x) covered[y * kMainClientWidth + x] = true;
  }
  for (int y = 0; y < kMainClientHeight; ++y)
    for (int x = 0; x < kMainClientWidth; ++x)
      ASSERT_TRUE(covered[y * kMainClientWidth + x]) << x << "," << y;
}

}  // namespace
