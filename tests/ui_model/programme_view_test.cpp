// The three programme views over a built day, the rows' look, the detail
// pane and what activating a row does.
#include <gtest/gtest.h>

#include "tests/ui_model/day_table_builder.h"
#include "ui/model/programme_view.h"

namespace {

const int kFilm = 0xFFCCCC;
const int kSport = 0xCCCCFF;

class ProgrammeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DayTableBuilder day(table);
    first = day.channel("NHK");
    second = day.channel("ETV");
    empty = day.channel("Quiet");
    morning = day.programme(first, 5, 0, 120, "Morning news\r\n(weather)");
    lateEvening = day.programme(first, 19, 0, 90, "Film\r\n(a long one)", kFilm);
    halfPast = day.programme(first, 20, 30, 30, "Quiz");
    nine = day.programme(first, 21, 0, 60, "Drama");
    night = day.programme(first, 25, 0, 60, "Late match", kSport);
    endsAtEight = day.programme(second, 18, 0, 120, "Concert");
    atEight = day.programme(second, 20, 0, 15, "Short", kFilm);
    day.fillEmptySlots();
  }

  std::vector<std::string> bodies(const ProgrammeListing& listing) {
    std::vector<std::string> out;
    for (const ProgrammeCell* cell : listing.items) out.push_back(cell->body);
    return out;
  }

  ProgrammeTable table;
  int first = 0, second = 0, empty = 0;
  ProgrammeCell *morning, *lateEvening, *halfPast, *nine, *night, *endsAtEight, *atEight;
};

TEST_F(ProgrammeViewTest, TimeViewListsEveryProgrammeRunningDuringTheHourUnderItsChannel) {
  ProgrammeListing at20 = timeViewListing(table, 20);
  // Started at 19:00 and still on; 20:30 starts within; 21:00 is the next
  // hour; a programme that ended at 20:00 is gone.
  EXPECT_EQ((std::vector<std::string>{"NHK", "Film\r\n(a long one)", "Quiz", "ETV", "Short",
                                      "Quiet"}),
            bodies(at20));
  EXPECT_EQ(-1, at20.selected);

  ProgrammeListing afterMidnight = timeViewListing(table, 25);
  EXPECT_EQ((std::vector<std::string>{"NHK", "Late match", "ETV", "Quiet"}),
            bodies(afterMidnight));
}

TEST_F(ProgrammeViewTest, TimeViewOfAnHourTheDayDoesNotHoldListsOnlyTheHeaders) {
  EXPECT_EQ((std::vector<std::string>{"NHK", "ETV", "Quiet"}), bodies(timeViewListing(table, 3)));
  ProgrammeTable nothing;
  EXPECT_TRUE(timeViewListing(nothing, 20).items.empty());
}

TEST_F(ProgrammeViewTest, ChannelViewSelectsTheFirstProgrammeFromTheViewedHour) {
  ProgrammeListing at20 = channelViewListing(table, first, 20);
  EXPECT_EQ((std::vector<std::string>{"NHK", "Morning news\r\n(weather)", "Film\r\n(a long one)",
                                      "Quiz", "Drama", "Late match", "ETV", "Quiet"}),
            bodies(at20));
  EXPECT_EQ(halfPast, at20.items[at20.selected]);

  // Hours before five count on past midnight.
  ProgrammeListing at1 = channelViewListing(table, first, 1);
  EXPECT_EQ(night, at1.items[at1.selected]);
}

TEST_F(ProgrammeViewTest, ChannelViewFallsBackToTheLastProgrammeLateAndTheFirstEarly) {
  ProgrammeListing late = channelViewListing(table, second, 23);
  EXPECT_EQ(atEight, late.items[late.selected]);
  // Before noon the first programme is chosen instead.
  ProgrammeTable morningOnly;
  DayTableBuilder day(morningOnly);
  int column = day.channel("Early");
  ProgrammeCell* dawn = day.programme(column, 5, 0, 60, "Dawn");
  dawn->number = -1;  // a start time the page wrote out in full
  day.fillEmptySlots();
  ProgrammeListing early = channelViewListing(morningOnly, column, 9);
  EXPECT_EQ(dawn, early.items[early.selected]);
}

TEST_F(ProgrammeViewTest, ChannelViewOfAColumnWithoutProgrammesOrOfNoColumn) {
  // Morning: the first programme is asked for and there is none.
  EXPECT_EQ(-1, channelViewListing(table, empty, 9).selected);
  // Evening: the last item listed for the channel is its header.
  ProgrammeListing evening = channelViewListing(table, empty, 21);
  EXPECT_EQ("Quiet", evening.items[evening.selected]->body);
  // A column the day does not have (the day changed under the view).
  ProgrammeListing missing = channelViewListing(table, 9, 21);
  EXPECT_EQ(3u, missing.items.size());
  EXPECT_EQ(-1, missing.selected);
}

TEST_F(ProgrammeViewTest, GenreViewListsMatchingProgrammesAndEveryHeader) {
  EXPECT_EQ((std::vector<std::string>{"NHK", "Film\r\n(a long one)", "ETV", "Short", "Quiet"}),
            bodies(genreViewListing(table, kFilm)));
  ViewState view;
  view.mode = kGenreView;
  view.key = kSport;
  EXPECT_EQ((std::vector<std::string>{"NHK", "Late match", "ETV", "Quiet"}),
            bodies(listProgrammes(table, view)));
}

TEST(ProgrammeViewGapsTest, ChannelsMissingFromASlotLeaveGapsTheViewsStepOver) {
  ProgrammeTable table;
  DayTableBuilder day(table);
  int late = day.channel("LateStart");
  day.programme(late, 21, 0, 60, "First show");
  day.programme(late, 22, 0, 30, "Second show");
  day.leaveGaps();
  ViewState view;
  view.mode = kChannelView;
  view.key = late;
  view.hour = 22;
  ProgrammeListing listing = listProgrammes(table, view);
  EXPECT_EQ(3u, listing.items.size());
  EXPECT_EQ("Second show", listing.items[listing.selected]->body);
  view.mode = kTimeView;
  view.hour = 21;
  EXPECT_EQ(2u, listProgrammes(table, view).items.size());
}

TEST_F(ProgrammeViewTest, RowsShowTimeAndTitleLineInThePageColourHeadersInTheHighlight) {
  const SystemColours system{0x6A240A, 0xFFFFFF};
  RowLook film = programmeRowLook(*lateEvening, false, system);
  EXPECT_EQ("19:00 Film", film.text);
  EXPECT_EQ(0x000000u, film.textColour);
  EXPECT_EQ(0xCCCCFFu, film.background);  // the page's 0xFFCCCC as GDI takes it
  EXPECT_FALSE(film.bold);

  RowLook chosen = programmeRowLook(*lateEvening, true, system);
  EXPECT_EQ(0xCCCCFFu, chosen.textColour);
  EXPECT_EQ(system.highlight, chosen.background);

  RowLook header = programmeRowLook(*table.cellAt(first, 0), false, system);
  EXPECT_EQ("NHK", header.text);
  EXPECT_EQ(system.highlight, header.textColour);
  EXPECT_EQ(system.highlightText, header.background);
  EXPECT_TRUE(header.bold);
  RowLook chosenHeader = programmeRowLook(*table.cellAt(first, 0), true, system);
  EXPECT_EQ(system.highlightText, chosenHeader.textColour);
  EXPECT_EQ(system.highlight, chosenHeader.background);

  EXPECT_EQ("20:30 Quiz", programmeRowLook(*halfPast, false, system).text);
}

// Pages write 0xRRGGBB; GDI reads 0x00BBGGRR. Cooking's light orange must
// not come out light blue.
TEST(RowColourTest, PageColoursReachGdiWithRedAndBlueSwapped) {
  EXPECT_EQ(0x99CCFFu, colourRefFromRgb(0xFFCC99));
  EXPECT_EQ(0x0000FFu, colourRefFromRgb(0xFF0000));
  EXPECT_EQ(0x00FF00u, colourRefFromRgb(0x00FF00));
  EXPECT_EQ(0xFFFFFFu, colourRefFromRgb(0xFFFFFF));
  EXPECT_EQ(0x332211u, colourRefFromRgb(0x7F112233));  // bits above the colour are dropped
}

TEST_F(ProgrammeViewTest, DetailPaneTakesAProgrammesBodyAndIgnoresHeaders) {
  std::string text = "unchanged";
  EXPECT_FALSE(detailPaneText(table.cellAt(first, 0), text));
  EXPECT_FALSE(detailPaneText(nullptr, text));
  EXPECT_EQ("unchanged", text);
  EXPECT_TRUE(detailPaneText(morning, text));
  EXPECT_EQ("Morning news\r\n(weather)", text);

  EXPECT_EQ(Activation::kNothing, activationOf(nullptr));
  EXPECT_EQ(Activation::kShowChannel, activationOf(table.cellAt(second, 0)));
  EXPECT_EQ(second, table.cellAt(second, 0)->number);
  EXPECT_EQ(Activation::kReserve, activationOf(nine));
}

}  // namespace
