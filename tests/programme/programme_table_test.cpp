// ProgrammeTable: the grid, the look-ups the lists use, joining pages and
// stacking slots; ProgrammeCell titles; the genre colours.
#include "programme/programme_table.h"

#include <gtest/gtest.h>

#include "programme/genre_table.h"
#include "tests/support/table_fixtures.h"

namespace {

const std::string kTokyo = "\x93\x8c\x8b\x9e";
const std::string kOsaka = "\x91\xe5\x8d\xe3";
const std::string kKyoto = "\x8b\x9e\x93\x73";

CellShape header(const std::string& name, int number) { return {1, "", name, number}; }
CellShape hour(int number, int span) {
  std::string text = (number % 24 < 10 ? "0" : "") + std::to_string(number % 24);
  return {span, text, text, number};
}
CellShape corner() { return {1, "", "", 0}; }

TEST(ProgrammeTableTest, GridGrowsOnPlacingAndClearingEmptiesIt) {
  ProgrammeTable table;
  EXPECT_EQ(0, table.tableKey());
  ProgrammeCell* cell = table.newCell(2);
  EXPECT_EQ(0, cell->number);
  EXPECT_EQ(2, cell->rowSpan);
  table.placeCell(2, 3, cell);
  EXPECT_EQ(3u, table.columnCount());
  EXPECT_EQ(0u, table.rowCount(0));
  EXPECT_EQ(4u, table.rowCount(2));
  EXPECT_EQ(0u, table.rowCount(7));
  EXPECT_EQ(cell, table.cellAt(2, 3));
  EXPECT_FALSE(table.isOccupied(2, 2));
  EXPECT_FALSE(table.isOccupied(0, 0));
  EXPECT_FALSE(table.isOccupied(9, 9));
  table.clear();
  EXPECT_EQ(-1, table.tableKey());
  EXPECT_EQ(0u, table.columnCount());
  EXPECT_EQ(0u, table.cellCount());
}

TEST(ProgrammeCellTest, TitleAndDetailOffset) {
  ProgrammeCell cell;
  cell.body = "\x81\x79" "A" "\x81\x7a" "x" "\x81\x79" "B" "\x81\x7a" "\r\nrest";
  cell.updateDetailOffset();
  EXPECT_EQ(13u, cell.detailOffset);
  EXPECT_EQ("AB", cell.title());  // bracketed parts, joined
  cell.body = "first line\r\ndetails\r\nmore";
  cell.updateDetailOffset();
  EXPECT_EQ(12u, cell.detailOffset);
  EXPECT_EQ("first line", cell.title());
  cell.body = "one line";
  cell.updateDetailOffset();
  EXPECT_EQ(8u, cell.detailOffset);
  EXPECT_EQ("one line", cell.title());
  cell.body = "a\nb";  // a bare line feed is not a title line
  cell.updateDetailOffset();
  EXPECT_EQ("a\nb", cell.title());
  cell.body = "\x81\x79\x81\x7a";  // empty brackets: nothing bracketed
  cell.updateDetailOffset();
  EXPECT_EQ("\x81\x79\x81\x7a", cell.title());
}

TEST(GenreTableTest, ColoursMapToGenreNumbers) {
  EXPECT_EQ(0, genreOf(0xFFCCCC));
  EXPECT_EQ(1, genreOf(0xCCFFCC));
  EXPECT_EQ(7, genreOf(0xFFCC99));
  EXPECT_EQ(kNoGenre, genreOf(0xFFFFFF));
  EXPECT_EQ(kNoGenre, genreOf(0));  // the closing row's colour is not a genre
  const GenreRow* film = findGenre("\x89\x66\x89\xe6");
  ASSERT_NE(nullptr, film);
  EXPECT_EQ(0xFFCCCC, film->colour);
  EXPECT_EQ(nullptr, findGenre("x"));
}

// Two slots of a small day: Tokyo only in the first, Kyoto only in the
// second, and Osaka's drama running on across the boundary.
class DayTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fillTable(early, {{corner(), hour(5, 2), hour(6, 2)},
                      {header(kTokyo, 1), {1, "05:00", "news", 5}, {3, "05:30", "film", 5}},
                      {header(kOsaka, 2), {4, "05:00", "drama", 5}}},
              10405);
    fillTable(late, {{corner(), hour(7, 2), hour(8, 2)},
                     {header(kOsaka, 1), {2, "05:00", "drama", 5}, {2, "08:00", "cooking", 8, 0xFFCC99}},
                     {header(kKyoto, 2), {4, "07:00", "anime", 7}}},
              10409);
    day.clear();
    day.appendTimeSlot(early);
    day.appendTimeSlot(late);
  }
  ProgrammeTable early, late, day;
};

TEST_F(DayTableTest, StackingMatchesChannelsAndJoinsARunningProgramme) {
  EXPECT_EQ(-1, day.tableKey());
  ASSERT_EQ(4u, day.columnCount());
  for (std::size_t column = 0; column < 4; ++column) EXPECT_EQ(9u, day.rowCount(column));
  EXPECT_EQ("07", day.cellAt(0, 5)->timeText);
  EXPECT_EQ(day.cellAt(0, 7), day.cellAt(0, 8));
  for (std::size_t row = 5; row < 9; ++row) EXPECT_EQ(nullptr, day.cellAt(1, row)) << row;

  const ProgrammeCell* drama = day.cellAt(2, 1);
  EXPECT_EQ(6, drama->rowSpan);
  EXPECT_EQ(drama, day.cellAt(2, 6));
  EXPECT_EQ("cooking", day.cellAt(2, 7)->body);

  // A channel new to the day: empty above, its header numbered by its place.
  EXPECT_EQ(kKyoto, day.cellAt(3, 0)->body);
  EXPECT_EQ(3, day.cellAt(3, 0)->number);
  for (std::size_t row = 1; row < 5; ++row) EXPECT_EQ(nullptr, day.cellAt(3, row)) << row;
  EXPECT_EQ("anime", day.cellAt(3, 5)->body);

  // The slots themselves are untouched.
  EXPECT_EQ(4, early.cellAt(2, 1)->rowSpan);
  EXPECT_EQ(1, late.cellAt(1, 0)->number);
}

// Taking the slots' texts, into a day that held another day's cells
// before, stacks the same day; the slots are then fit to be refilled.
TEST_F(DayTableTest, StackingThatTakesTheSlotsTextsGivesTheSameDay) {
  ProgrammeTable taken;
  taken.appendTimeSlot(late);
  taken.clear();
  ProgrammeTable earlyCopy, lateCopy;
  earlyCopy.appendChannels(early);
  lateCopy.appendChannels(late);
  taken.appendTimeSlot(std::move(earlyCopy));
  taken.appendTimeSlot(std::move(lateCopy));
  EXPECT_TRUE(sameTable(day, taken));
  fillTable(lateCopy, {{corner(), hour(7, 1)}, {header(kKyoto, 1), {1, "07:00", "again", 7}}});
  EXPECT_EQ("again", lateCopy.cellAt(1, 1)->body);
}

TEST_F(DayTableTest, LookUpsForTheLists) {
  EXPECT_EQ(2, day.findChannel(kOsaka));
  EXPECT_EQ(3, day.findChannel(kKyoto));
  EXPECT_EQ(-1, day.findChannel("x"));
  HourRows seven = day.findHour(7);
  EXPECT_EQ(5, seven.firstRow);
  EXPECT_EQ(7, seven.endRow);
  HourRows none = day.findHour(9);
  EXPECT_EQ(0, none.firstRow);
  EXPECT_EQ(0, none.endRow);

  const ProgrammeCell* news = day.cellAt(1, 1);
  const ProgrammeCell* film = day.cellAt(1, 2);
  const ProgrammeCell* cooking = day.cellAt(2, 7);
  GridPosition position = day.locate(cooking);
  EXPECT_EQ(2, position.column);
  EXPECT_EQ(7, position.row);
  EXPECT_EQ(0, day.locate(late.cellAt(1, 1)).column);  // a cell of another table
  EXPECT_EQ(kOsaka, day.channelOf(cooking)->body);
  EXPECT_EQ(nullptr, day.channelOf(day.cellAt(1, 0)));    // headers are not in the walk
  EXPECT_EQ(film, day.nextCellBelow(news));
  EXPECT_EQ(nullptr, day.nextCellBelow(film));  // empty rows below, then the end
  EXPECT_EQ(nullptr, day.nextCellBelow(cooking));

  // The hour after a programme starts strictly after its end row.
  EXPECT_EQ("06", day.hourAfter(news)->timeText);   // ends at row 2, hour 06 at row 3
  EXPECT_EQ("08", day.hourAfter(film)->timeText);   // ends at row 5, where 07 starts
  EXPECT_EQ(nullptr, day.hourAfter(cooking));
}

TEST_F(DayTableTest, AOneChannelDayKeepsItsOneColumn) {
  ProgrammeTable first, second, oneChannel;
  fillTable(first, {{corner(), hour(5, 1)}, {header(kTokyo, 1), {1, "05:00", "a", 5}}});
  fillTable(second, {{corner(), hour(9, 1)}, {header(kTokyo, 1), {1, "09:00", "b", 9}}});
  oneChannel.appendTimeSlot(first);
  oneChannel.appendTimeSlot(second);
  ASSERT_EQ(2u, oneChannel.columnCount());
  EXPECT_EQ("b", oneChannel.cellAt(1, 2)->body);
  EXPECT_EQ(1, oneChannel.findChannel(kTokyo));
}

TEST(AppendChannelsTest, LaterPagesGoToTheRightWithTheirHeadersRenumbered) {
  ProgrammeTable first, second, joined;
  fillTable(first, {{corner(), hour(5, 2)}, {header(kTokyo, 1), {2, "05:00", "a", 5}}}, 10405);
  fillTable(second, {{corner(), hour(5, 3)},
                     {header(kOsaka, 1), {3, "05:00", "b", 5}},
                     {header(kKyoto, 2), {1, "05:00", "c", 5}, {2, "05:10", "d", 5}}},
            10405);
  joined.appendChannels(first);  // into an empty table: a copy
  joined.setTableKey(first.tableKey());
  EXPECT_TRUE(sameTable(first, joined));
  joined.appendChannels(second);
  ASSERT_EQ(4u, joined.columnCount());
  EXPECT_EQ(kOsaka, joined.cellAt(2, 0)->body);
  EXPECT_EQ(2, joined.cellAt(2, 0)->number);
  EXPECT_EQ(3, joined.cellAt(3, 0)->number);
  // Only as many rows as the first page has.
  EXPECT_EQ(3u, joined.rowCount(2));
  EXPECT_EQ(3u, joined.rowCount(3));
  EXPECT_EQ("d", joined.cellAt(3, 2)->body);
  EXPECT_EQ(1, second.cellAt(1, 0)->number);
  EXPECT_EQ(9u, joined.cellCount());
}

}  // namespace
