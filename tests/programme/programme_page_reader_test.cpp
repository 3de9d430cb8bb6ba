// ProgrammePageReader: pages from the page writer read into page tables,
// the small rules of cells and colours, and the pages that are refused.
#include "programme/programme_page_reader.h"

#include <gtest/gtest.h>

#include "bytes/memory_bytes.h"
#include "programme/guide_page.h"
#include "programme/shift_jis_to_euc_jp.h"
#include "tests/support/table_fixtures.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

const std::string kTokyo = "\x93\x8c\x8b\x9e";
const std::string kOsaka = "\x91\xe5\x8d\xe3";
const std::string kNews = "\x83\x6a\x83\x85\x81\x5b\x83\x58";
const std::string kFilm = "\x89\x66\x89\xe6";
const std::string kWeather = "\x93\x56\x8b\x43";
const std::string kCooking = "\x97\xbf\x97\x9d";
const std::string kSubtitled = "[\x8e\x9a]";
const std::string kOpen = "\x81\x79";   // bold brackets as the reader writes them
const std::string kClose = "\x81\x7a";

bool readBytes(const std::string& euc, ProgrammeTable& table) {
  StringByteSource source(euc);
  return readPage(source, table);
}

// A page with `grid` (Shift-JIS markup of the grid's rows) in the place the
// service puts it.
std::string pageAround(const std::string& grid, const std::string& end = "</html>") {
  return shiftJisToEucJp("<html><body><table><tr><td><table><tr><td>nav</td></tr></table>\n<table>" + grid +
                         "</table></td></tr></table>\n</body>" + end);
}

// Header (and footer) row for channels named `names`.
std::string headerRow(const std::vector<std::string>& names) {
  std::string row = "<tr><td>&nbsp;</td>";
  for (const std::string& name : names) row += "<td><img src=logo.gif alt=\"" + name + "\"></td>";
  return row + "</tr>";
}

// An hour cell of `rows` rows and a first row holding `cells` after it.
std::string hourRow(int hour, int rows, const std::string& cells) {
  return "<tr><td rowspan=" + std::to_string(rows) + "><table><tr><td>" + std::to_string(hour) +
         "</td></tr></table></td>" + cells + "</tr>";
}

// A programme cell: the nested table holds `content`.
std::string cell(const std::string& attributes, const std::string& content) {
  return "<td " + attributes + "><table><tr><td>" + content + "</td></tr></table></td>";
}

// One channel, one hour of `rows` rows whose first row holds `cells`,
// header and footer.
std::string oneHourPage(int rows, const std::string& cells) {
  std::string grid = headerRow({kTokyo}) + hourRow(5, rows, cells);
  for (int row = 1; row < rows; ++row) grid += "<tr></tr>";
  return pageAround(grid + headerRow({kTokyo}));
}

class PageReaderTest : public ::testing::Test {
 protected:
  const ProgrammeCell& at(std::size_t column, std::size_t row) {
    const ProgrammeCell* found = table.cellAt(column, row);
    EXPECT_NE(nullptr, found) << column << "," << row;
    static const ProgrammeCell none;
    return found ? *found : none;
  }
  ProgrammeTable table;
};

TEST_F(PageReaderTest, AGuidePageBecomesAPageTable) {
  GuidePage page(25);  // 25:00 to 29:00, a row a minute
  const int tokyo = page.addChannel(kTokyo);
  page.addChannel("");  // a channel without a name is dropped
  const int osaka = page.addChannel(kOsaka);

  PageProgramme news;
  news.channel = tokyo;
  news.length = 30;
  news.title = kNews;
  news.detail = "A&B\nline <2>";
  news.marks = {kSubtitled};
  page.addProgramme(news);
  PageProgramme film;
  film.channel = tokyo;
  film.start = 30;
  film.length = 150;  // longer than the table file's longest record
  film.title = kFilm;
  film.colour = 0xFFCCCC;
  page.addProgramme(film);

  PageProgramme runsOn;  // began in the slot before
  runsOn.channel = osaka;
  runsOn.length = 10;
  runsOn.title = kWeather;
  runsOn.style = StartStyle::Clock;
  runsOn.clock = "24:50";
  page.addProgramme(runsOn);
  PageProgramme shared;  // two programmes in one cell
  shared.channel = osaka;
  shared.start = 10;
  shared.length = 20;
  shared.title = kNews;
  shared.splitMinute = 15;
  shared.splitTitle = kCooking;
  shared.colour = 0xFFCC99;
  page.addProgramme(shared);
  PageProgramme hidden;
  hidden.channel = osaka;
  hidden.start = 30;
  hidden.title = kFilm;
  hidden.style = StartStyle::Hidden;
  page.addProgramme(hidden);

  ASSERT_TRUE(readBytes(page.eucJp(), table));
  EXPECT_EQ(-1, table.tableKey());
  ASSERT_EQ(3u, table.columnCount());
  for (std::size_t column = 0; column < 3; ++column) EXPECT_EQ(241u, table.rowCount(column));

  EXPECT_EQ(kTokyo, at(1, 0).body);
  EXPECT_EQ(1, at(1, 0).number);
  EXPECT_EQ(kOsaka, at(2, 0).body);
  EXPECT_EQ(2, at(2, 0).number);  // numbered without the dropped channel

  EXPECT_EQ(25, at(0, 1).number);
  EXPECT_EQ("01", at(0, 1).timeText);
  EXPECT_EQ("01", at(0, 1).body);
  EXPECT_EQ(60, at(0, 1).rowSpan);
  EXPECT_EQ(28, at(0, 181).number);
  EXPECT_EQ("04", at(0, 181).timeText);

  const ProgrammeCell& first = at(1, 1);
  EXPECT_EQ("01:00", first.timeText);
  EXPECT_EQ(25, first.number);
  EXPECT_EQ(30, first.rowSpan);
  EXPECT_EQ(kOpen + kNews + kClose + "\r\nA&B\r\nline <2>" + kSubtitled, first.body);
  EXPECT_EQ(kNews, first.title());
  EXPECT_EQ(0xFFFFFF, first.background);
  const ProgrammeCell& second = at(1, 31);
  EXPECT_EQ("01:30", second.timeText);
  EXPECT_EQ(150, second.rowSpan);
  EXPECT_EQ(0xFFCCCC, second.background);
  EXPECT_EQ(&second, table.cellAt(1, 180));
  const ProgrammeCell& filler = at(1, 181);  // the rest of the slot: an empty cell
  EXPECT_EQ("", filler.body);
  EXPECT_EQ("", filler.timeText);
  EXPECT_EQ(60, filler.rowSpan);

  const ProgrammeCell& clock = at(2, 1);
  EXPECT_EQ("00:50", clock.timeText);
  EXPECT_EQ(" " + kOpen + kWeather + kClose, clock.body);
  EXPECT_EQ(-1, clock.number);
  const ProgrammeCell& beforeSplit = at(2, 11);
  EXPECT_EQ(1, beforeSplit.rowSpan);
  EXPECT_EQ("01:10", beforeSplit.timeText);
  EXPECT_EQ(kOpen + kNews + kClose, beforeSplit.body);
  const ProgrammeCell& afterSplit = at(2, 12);
  EXPECT_EQ(19, afterSplit.rowSpan);
  EXPECT_EQ("01:15", afterSplit.timeText);
  EXPECT_EQ(kOpen + kCooking + kClose, afterSplit.body);
  EXPECT_EQ(0xFFCC99, afterSplit.background);
  EXPECT_EQ("", at(2, 31).timeText);  // hidden start and no clock: nothing left
  EXPECT_EQ("", at(2, 31).body);
}

TEST_F(PageReaderTest, ATableReadAgainHoldsNothingOfItsLastPage) {
  SampleSchedule day = sampleSchedule(8, 1);
  ProgrammeTable fresh;
  ASSERT_TRUE(readBytes(slotPage(day, 5).eucJp(), table));
  ASSERT_TRUE(readBytes(slotPage(day, 9, 60, 0, 3).eucJp(), table));  // fewer channels
  ASSERT_TRUE(readBytes(slotPage(day, 9, 60, 0, 3).eucJp(), fresh));
  EXPECT_TRUE(sameTable(fresh, table));
  EXPECT_EQ(fresh.cellCount(), table.cellCount());
}

TEST_F(PageReaderTest, FirstTextIsTheStartUnlessDrawnInTheCellsColour) {
  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2 bgcolor=#ffcccc", "<font color=#FFCCCC>7</font>25:10 " + kFilm)),
                        table));
  EXPECT_EQ("01:10", at(1, 1).timeText);  // from the body: hours wrap at 24
  EXPECT_EQ(" " + kFilm, at(1, 1).body);

  // Bold text that comes first in the body is not bracketed.
  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2 bgcolor=#ffffff",
                                            "<font color=#ffffff>.</font><b>05:30 " + kNews + "</b>")),
                        table));
  EXPECT_EQ("05:30", at(1, 1).timeText);
  EXPECT_EQ(" " + kNews, at(1, 1).body);

  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2", "<b>" + kNews + "</b><b>" + kFilm + "</b>")), table));
  // Bold first text is the start; bold after it is bracketed.
  EXPECT_EQ("05:" + kNews, at(1, 1).timeText);
  EXPECT_EQ(kOpen + kFilm + kClose, at(1, 1).body);

  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2 bgcolor=#ffffff", "<font color=#ffffff>.</font><b>" +
                                                                            kNews + "</b>")),
                        table));
  EXPECT_EQ("", at(1, 1).timeText);
  EXPECT_EQ("", at(1, 1).body);  // no start time anywhere: emptied

  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2", "30</td><td>&nbsp;")), table));
  EXPECT_EQ("30", at(1, 1).timeText);  // an empty slot keeps its bare minute
  EXPECT_EQ("", at(1, 1).body);
}

TEST_F(PageReaderTest, RowspanAndBgcolorAttributes) {
  std::string cells = cell("bgcolor=#fff", "00") + cell("rowspan=0 bgcolor=ffcccc", "10") +
                      cell("rowspan=-3 bgcolor=\"#12345678\"", "20") + cell("rowspan=x bgcolor=#zz", "30");
  std::string grid = headerRow({"A", "B", "C", "D"}) + hourRow(9, 1, cells) + headerRow({"A", "B", "C", "D"});
  ASSERT_TRUE(readBytes(pageAround(grid), table));
  ASSERT_EQ(5u, table.columnCount());
  EXPECT_EQ(0x000FFF, at(1, 1).background);
  EXPECT_EQ(0xFFFFFF, at(2, 1).background);  // no '#'
  EXPECT_EQ(0x345678, at(3, 1).background);  // masked to 24 bits
  EXPECT_EQ(0x000000, at(4, 1).background);  // '#' without a digit
  for (std::size_t column = 1; column <= 4; ++column) EXPECT_EQ(1, at(column, 1).rowSpan);
  EXPECT_EQ("09:20", at(3, 1).timeText);
}

TEST(ParseColourTest, ReadsLikeAThirtyTwoBitStrtol) {
  EXPECT_EQ(0xFFCCCC, parseColour("#ffcccc", 1));
  EXPECT_EQ(0x000FFF, parseColour("#fff", 1));
  EXPECT_EQ(0x123456, parseColour("#123456zz", 1));
  EXPECT_EQ(0x000012, parseColour("#0x12", 1));
  EXPECT_EQ(0xFFFFFF, parseColour("#-1", 1));
  EXPECT_EQ(0xFFFFFF, parseColour("#123456789", 1));  // saturates, on every platform
  EXPECT_EQ(0x000000, parseColour("#-123456789", 1));
  EXPECT_EQ(0x00ABCD, parseColour("# abcd", 1));
  EXPECT_EQ(7, parseColour("", 7));
  EXPECT_EQ(7, parseColour("red", 7));
}

TEST_F(PageReaderTest, OnlyTheSecondTableInsideTheFirstIsTheGrid) {
  std::string grid = headerRow({"A"}) + hourRow(5, 1, cell("", "00")) + headerRow({"A"});
  // A top-level table before the outer one: the page has no grid.
  std::string page = "<html><table></table><table><tr><td><table></table><table>" + grid +
                     "</table></td></tr></table></html>";
  EXPECT_FALSE(readBytes(page, table));
  // A third table inside the outer one does not disturb the grid before it;
  // a stray end tag does not either.
  page = "<html></table><table><tr><td><table></table><table>" + grid +
         "</table><table><tr><td><table><tr><td>x</td></tr></table></td></tr></table></td></tr></table></html>";
  ASSERT_TRUE(readBytes(page, table));
  EXPECT_EQ("05:00", at(1, 1).timeText);
}

TEST_F(PageReaderTest, ImagesAndBreaksInsideACell) {
  const std::string content = "15<br><b>" + kNews + "</b><img alt=\"" + kSubtitled + "\"><img alt=\"logo\">" +
                              "<img alt=\"\"><img src=x><br>" + kWeather;
  ASSERT_TRUE(readBytes(oneHourPage(2, cell("rowspan=2", content)), table));
  EXPECT_EQ("05:15", at(1, 1).timeText);
  EXPECT_EQ("\r\n" + kOpen + kNews + kClose + kSubtitled + "\r\n" + kWeather, at(1, 1).body);
  EXPECT_EQ(2u, at(1, 1).detailOffset);
  EXPECT_EQ(kNews, at(1, 1).title());
}

TEST_F(PageReaderTest, ARegistrationImageAtTheEndSplitsNothing) {
  std::string registration = "<img alt=\"\x93\x6f\x98\x5e\">";
  ASSERT_TRUE(readBytes(oneHourPage(3, cell("rowspan=3", "05</td><td>" + kNews + registration)), table));
  EXPECT_EQ(3, at(1, 1).rowSpan);
  // In a one-row cell the second programme has no row and is never shown.
  ASSERT_TRUE(readBytes(oneHourPage(1, cell("", "05</td><td>" + kNews + registration + "06 " + kFilm)), table));
  EXPECT_EQ(1, at(1, 1).rowSpan);
  EXPECT_EQ("05:05", at(1, 1).timeText);
}

TEST_F(PageReaderTest, IncompleteOrMisshapenPagesAreRefused) {
  GuidePage page(17, 12);
  page.addChannel(kTokyo);
  std::string good = page.eucJp();
  ASSERT_TRUE(readBytes(good, table));

  ProgrammePageReader reader;
  std::string cut = good.substr(0, good.find("</html>"));
  StringByteSource source(cut);
  EXPECT_FALSE(reader.read(source, table));  // the grid is complete, the page is not
  EXPECT_STREQ("the page ends before </html>", reader.failure());

  std::string footerDiffers = pageAround(headerRow({"A"}) + hourRow(5, 1, cell("", "00")) + headerRow({"B"}));
  EXPECT_FALSE(readBytes(footerDiffers, table));
  std::string tooShort = pageAround(headerRow({"A"}) + headerRow({"A"}));
  EXPECT_FALSE(readBytes(tooShort, table));
  std::string onlyHours = pageAround("<tr><td></td></tr>" + hourRow(5, 1, "") + "<tr><td></td></tr>");
  EXPECT_FALSE(readBytes(onlyHours, table));
  std::string unevenColumns =
      pageAround(headerRow({"A", "B"}) + hourRow(5, 2, cell("rowspan=2", "00") + cell("rowspan=3", "00")) +
                 "<tr></tr>" + headerRow({"A", "B"}));
  EXPECT_FALSE(readBytes(unevenColumns, table));
  std::string gap = pageAround(headerRow({"A"}) + hourRow(5, 2, cell("", "00")) + "<tr></tr>" + headerRow({"A"}));
  EXPECT_FALSE(readBytes(gap, table));
}

TEST_F(PageReaderTest, ACellBeforeTheFirstRowIsIgnored) {
  std::string grid = "<td>stray</td>" + headerRow({"A"}) + hourRow(5, 1, cell("", "00")) + headerRow({"A"});
  ASSERT_TRUE(readBytes(pageAround(grid), table));
  EXPECT_EQ("A", at(1, 0).body);
}

TEST_F(PageReaderTest, AGridThatWouldGrowWithoutBoundIsRefusedEarly) {
  ProgrammePageReader reader;
  std::string huge = pageAround(headerRow({"A"}) + hourRow(5, 1, cell("rowspan=2147483647", "00")) +
                                headerRow({"A"}));
  StringByteSource source(huge);
  EXPECT_FALSE(reader.read(source, table));
  EXPECT_STREQ("the grid is larger than any guide page", reader.failure());

  // Many rows, then many cells in the last: the grid would grow as their
  // product.
  std::string wide;
  for (int row = 0; row < 2000; ++row) wide += "<tr>";
  for (int column = 0; column < 3000; ++column) wide += "<td>";
  EXPECT_FALSE(readBytes(pageAround(wide), table));
}

}  // namespace
