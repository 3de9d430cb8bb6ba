// The hour list's rows: which they are, what they say and their colours.
#include "ui/model/hour_list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HourListRowsTest, TwentySixRowsFromThePreviousDayRowToTheNextDayRow) {
  std::vector<int> items = hourListItems();
  ASSERT_EQ(26u, items.size());
  EXPECT_EQ(kPreviousDayRow, items.front());
  EXPECT_EQ(kNextDayRow, items.back());
  for (int hour = 5; hour <= 28; ++hour) EXPECT_EQ(hour, items[hourListRow(hour)]);
  EXPECT_EQ("[\x81\xaa]", hourRowText(1000));
  EXPECT_EQ("[\x81\xab]", hourRowText(1002));
  EXPECT_EQ("05:00", hourRowText(5));
  EXPECT_EQ("28:00", hourRowText(28));
}

TEST(HourListRowsTest, HoursAreColouredByTimeOfDayAndTheSelectionByTheSystem) {
  const SystemColours system{0x123456, 0xABCDEF};
  struct Case { int value; ColourRef background; };
  for (Case c : {Case{1000, 0xFFFFFF}, Case{1002, 0xFFFFFF}, Case{5, 0x99FFFF}, Case{11, 0x99FFFF},
                 Case{12, 0x66CCFF}, Case{17, 0x66CCFF}, Case{18, 0xFFCC99}, Case{23, 0xFFCC99},
                 Case{24, 0xFF9966}, Case{28, 0xFF9966}}) {
    RowLook look = hourRowLook(c.value, false, system);
    EXPECT_EQ(c.background, look.background) << c.value;
    EXPECT_EQ(kBlack, look.textColour) << c.value;
  }
  RowLook chosen = hourRowLook(20, true, system);
  EXPECT_EQ(system.highlightText, chosen.textColour);
  EXPECT_EQ(system.highlight, chosen.background);
  EXPECT_EQ("20:00", chosen.text);
}

}  // namespace
