// The owner-drawn lists' row arithmetic: scrolling limits, bringing the
// selection into view, and the relayout after a size change.
#include <gtest/gtest.h>

#include "ui/model/list_rows.h"

namespace {

ListRows laidOut(int count, int page) {
  ListRows rows;
  rows.count = count;
  relayoutRows(rows, page);
  settleScrollBar(rows);
  return rows;
}

TEST(ListRowsTest, PageCountsWholeRowsAndIsNeverZero) {
  EXPECT_EQ(24, pageRows(297, 12));
  EXPECT_EQ(1, pageRows(5, 12));
  EXPECT_EQ(1, pageRows(100, 0));
}

TEST(ListRowsTest, AListThatFitsHasNoScrollBarAndIgnoresScrolling) {
  ListRows rows = laidOut(10, 24);
  EXPECT_FALSE(settleScrollBar(rows));
  EXPECT_EQ(0, rows.top);
  for (int request : {-5, 1, 3, 100}) EXPECT_EQ(0, scrollTarget(rows, request));
  ListRows exact = laidOut(24, 24);
  EXPECT_FALSE(settleScrollBar(exact));
  EXPECT_EQ(0, scrollTarget(exact, 1));
}

TEST(ListRowsTest, ScrollingStopsAtBothEnds) {
  ListRows rows = laidOut(30, 10);
  EXPECT_TRUE(settleScrollBar(rows));
  EXPECT_EQ(0, scrollTarget(rows, -1));
  EXPECT_EQ(20, scrollTarget(rows, 30));  // SB_BOTTOM asks for the item count
  EXPECT_EQ(7, scrollTarget(rows, 7));
  moveTop(rows, 20);
  EXPECT_EQ(20, rows.top);
  EXPECT_EQ(29, rows.last);
  moveTop(rows, 5);
  EXPECT_EQ(15, rows.last);  // the partly visible row below the page
  EXPECT_TRUE(isRowVisible(rows, 15));
  EXPECT_FALSE(isRowVisible(rows, 4));
}

TEST(ListRowsTest, ASelectionOutOfViewBecomesTheLastWholeRowOrTheFirst) {
  ListRows rows = laidOut(50, 10);
  EXPECT_EQ(-1, topShowing(rows, 9));  // the last whole row is in view
  EXPECT_EQ(1, topShowing(rows, 10));  // the partly visible row scrolls by one
  EXPECT_EQ(16, topShowing(rows, 25));
  moveTop(rows, 16);
  EXPECT_EQ(3, topShowing(rows, 3));
  EXPECT_EQ(-1, topShowing(rows, 16));
}

TEST(ListRowsTest, GrowingTheWindowPullsTheTopBackSoNoRowIsWasted) {
  ListRows rows = laidOut(30, 10);
  moveTop(rows, 20);
  relayoutRows(rows, 15);
  EXPECT_EQ(15, rows.top);
  EXPECT_EQ(30, rows.last);
  relayoutRows(rows, 40);
  EXPECT_EQ(0, rows.top);
  EXPECT_EQ(30, rows.last);
}

}  // namespace
