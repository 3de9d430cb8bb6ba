// The companion tool's command lines: a reservation's arguments with the
// time texts they are built from, and the fixed ones of the menu.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui_model/day_table_builder.h"
#include "ui/model/companion_tool.h"
#include "ui/model/reservation.h"

namespace {

const char kWaveDash[] = "\x81\x60";
const char kFullWidthClose[] = "\x81\x6a";
const char kFullWidthSpace[] = "\x81\x40";
const char kOpenBracket[] = "\x81\x79";   // bold part begins
const char kCloseBracket[] = "\x81\x7a";  // and ends

ProgrammeCell cellWithBody(const std::string& body) {
  ProgrammeCell cell;
  cell.body = body;
  cell.updateDetailOffset();
  return cell;
}

TEST(NormaliseTimeTest, EveryShapeOfStartTime) {
  EXPECT_EQ("2100", normaliseTime("21:00"));
  EXPECT_EQ("0930", normaliseTime("9:30"));
  EXPECT_EQ("0030", normaliseTime("0:30"));
  EXPECT_EQ("2154", normaliseTime("2154"));
  EXPECT_EQ("0930", normaliseTime("930"));
  EXPECT_EQ("", normaliseTime("30"));
  EXPECT_EQ("", normaliseTime(""));
  EXPECT_EQ("", normaliseTime("21:00:00"));
}

TEST(EndTimeFromTitleTest, TheDigitsAfterTheLastDoubleByteCharacter) {
  EXPECT_EQ("2254", endTimeFromTitle(cellWithBody(std::string("News") + kWaveDash + "22:54")));
  // A full-width closing parenthesis and space do not break the digits; the
  // three digits of 9:30 get their zero.
  EXPECT_EQ("0930", endTimeFromTitle(cellWithBody(std::string("Talk (") + kWaveDash + "9:30" +
                                                  kFullWidthClose)));
  EXPECT_EQ("1115", endTimeFromTitle(cellWithBody(std::string("A") + kWaveDash + "11" +
                                                  kFullWidthSpace + "15")));
  // Digits before a kanji are dropped, and the details line is not read.
  EXPECT_EQ("", endTimeFromTitle(cellWithBody("2003\x94\x4e\r\n21:00")));
  // A trail byte that looks like a digit is skipped with its lead byte.
  EXPECT_EQ("", endTimeFromTitle(cellWithBody("\x82\x30")));
  EXPECT_EQ("", endTimeFromTitle(cellWithBody("")));
}

class ReservationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    day = std::make_unique<DayTableBuilder>(table);
    column = day->channel("CH8");
    view.date = CalendarDate{2003, 12, 4, 4};
    view.day = dayNumber(2003, 12, 4);
  }
  ProgrammeTable table;
  std::unique_ptr<DayTableBuilder> day;
  int column = 0;
  ViewState view;
};

TEST_F(ReservationTest, AProgrammeWithTheNextOneBelowGivesTheWholeCommandLine) {
  ProgrammeCell* show = day->programme(
      column, 21, 0, 60,
      std::string(kOpenBracket) + "News" + kCloseBracket + " tonight\r\n(Guest: someone)",
      0xCCFFCC);
  ProgrammeCell* next = day->programme(column, 22, 0, 60, "Sports");
  next->timeText = "21:54";
  day->fillEmptySlots();
  EXPECT_EQ(std::string("CH8 20031204 2100 2154 \"Guest: someone\" \"News\" \"") + kOpenBracket +
                "News" + kCloseBracket + " tonight\" 1",
            reservationArguments(table, *show, view));
}

TEST_F(ReservationTest, AStartAfterMidnightLiesOnTheNextCalendarDay) {
  ProgrammeCell* late = day->programme(column, 24, 30, 30, "Late movie\r\n(1999)", 0xFFCCCC);
  late->timeText = "0:30";
  ProgrammeCell* next = day->programme(column, 25, 0, 60, "Shopping");
  (void)next;
  day->fillEmptySlots();
  EXPECT_EQ("CH8 20031205 0030 0100 \"1999\" \"Late movie\" \"Late movie\" 0",
            reservationArguments(table, *late, view));

  // Across the end of a month and of a year.
  view.date = CalendarDate{2003, 12, 31, 3};
  view.day = dayNumber(2003, 12, 31);
  EXPECT_EQ(0u, reservationArguments(table, *late, view).find("CH8 20040101 0030 "));
}

TEST_F(ReservationTest, EndTimeFallsBackToTheTitleThenTheEndOfTheRowsThenFive) {
  ProgrammeCell* titled = day->programme(
      column, 20, 0, 30, std::string("Special") + kWaveDash + "9:30" + kFullWidthClose);
  ProgrammeCell* untitled = day->programme(column, 21, 0, 15, "Mini");
  ProgrammeCell* last = day->programme(column, 28, 0, 60, "Close");
  const int other = day->channel("CH9");
  ProgrammeCell* noClock = day->programme(other, 20, 0, 30, "Film 1984");
  ProgrammeCell* runsOn = day->programme(other, 28, 0, 60, std::string("Late") + kWaveDash + "5:30");
  day->fillEmptySlots();  // the programmes are followed by empty slots
  EXPECT_EQ("CH8 20031204 2000 0930 \"\" \"Special\x81\x60\x39:30\x81\x6a\" "
            "\"Special\x81\x60\x39:30\x81\x6a\" 10",
            reservationArguments(table, *titled, view));
  // Where its rows end, before the empty slot or at the end of the day.
  EXPECT_EQ(0u, reservationArguments(table, *untitled, view).find("CH8 20031204 2100 2115 "));
  EXPECT_EQ(0u, reservationArguments(table, *last, view).find("CH8 20031205 0400 0500 "));
  // Digits that are no clock time end nothing; a title may say how far
  // the day's last programme runs on.
  EXPECT_EQ(0u, reservationArguments(table, *noClock, view).find("CH9 20031204 2000 2030 "));
  EXPECT_EQ(0u, reservationArguments(table, *runsOn, view).find("CH9 20031205 0400 0530 "));
}

TEST_F(ReservationTest, QuotedTextsStayInsideTheirQuotesAndOneLineBodiesStayWhole) {
  ProgrammeCell* show = day->programme(column, 21, 0, 60, "Say \"hi\"\r\n(\"A\" and B)");
  day->programme(column, 22, 0, 60, "Next");
  ProgrammeCell* oneLine = day->programme(column, 23, 0, 60, "Weather");
  day->fillEmptySlots();
  EXPECT_EQ("CH8 20031204 2100 2200 \"'A' and B\" \"Say 'hi'\" \"Say 'hi'\" 10",
            reservationArguments(table, *show, view));
  // A one-line body is its own title line, nothing cut off; before the
  // empty slot below, its rows end it at midnight.
  EXPECT_EQ("CH8 20031204 2300 0000 \"\" \"Weather\" \"Weather\" 10",
            reservationArguments(table, *oneLine, view));
}

TEST(CompanionToolTest, CommandLinesQuoteThePathAndKeepTheSpace) {
  const std::string path = companionPath("C:\\Program Files\\Rokuban\\");
  EXPECT_EQ("C:\\Program Files\\Rokuban\\Denpoz.exe", path);
  EXPECT_EQ("\"C:\\Program Files\\Rokuban\\Denpoz.exe\" ", companionCommandLine(path, ""));
  EXPECT_EQ("\"C:\\Program Files\\Rokuban\\Denpoz.exe\" ?REMOTE",
            companionCommandLine(path, kCompanionRemote));
  EXPECT_EQ("\"C:\\Program Files\\Rokuban\\Denpoz.exe\" ?RECLIST",
            companionCommandLine(path, kCompanionReservationList));
}

}  // namespace
