// The table file: its exact bytes, round trips, VarUInt, long programmes,
// and the files that are refused.
#include <gtest/gtest.h>

#include "bytes/memory_bytes.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "programme/var_uint.h"
#include "tests/support/table_fixtures.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values) out += static_cast<char>(value);
  return out;
}

const std::string kHeader = "\x0eTvProgramTable\x05";

bool readTable(const std::string& file, ProgrammeTable& table) {
  StringByteSource source(file);
  return table.read(source);
}

std::string varUInt(std::uint32_t value) {
  StringByteSink sink;
  EXPECT_TRUE(writeVarUInt(sink, value));
  return sink.bytes();
}

TEST(TableFileTest, BytesAreExactlyTheFormat) {
  // Checked in both builds: the files must be the same everywhere.
  ProgrammeTable table;
  fillTable(table,
            {{{1, "", "", 0}, {2, "01", "01", 25, 0xFFCC66}},
             {{1, "", "\x93\x8c\x8b\x9e", 1}, {2, "01:30", "\x81\x79\x89\x66\x89\xe6\x81\x7a\r\nx", -1, 0xFFCCCC}}},
            120425);
  const std::string expected =
      kHeader + bytes({0x69, 0xd6, 0x01, 0x00}) +                       // key, little-endian
      bytes({0x00, 0x01, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0x00}) +   // corner
      bytes({0x02, 0x19, 0x02}) + "01" + bytes({0x02}) + "01" + bytes({0x66, 0xcc, 0xff, 0x00}) +
      bytes({0x00, 0x01, 0x01, 0x00, 0x04, 0x93, 0x8c, 0x8b, 0x9e, 0xff, 0xff, 0xff, 0x00}) +
      bytes({0x02, 0xff, 0x05}) + "01:30" + bytes({0x0b, 0x81, 0x79, 0x89, 0x66, 0x89, 0xe6, 0x81, 0x7a}) +
      "\r\nx" + bytes({0xcc, 0xcc, 0xff, 0x00});
  EXPECT_EQ(expected, tableFileBytes(table));
}

TEST(TableFileTest, APageTableReadsBackAsTheSameTable) {
  SampleSchedule day = sampleSchedule(12, 3);
  ProgrammeTable page;
  StringByteSource source(slotPage(day, 21).eucJp());
  ASSERT_TRUE(readPage(source, page));
  page.setTableKey(120421);
  const std::string file = tableFileBytes(page);
  ProgrammeTable back;
  ASSERT_TRUE(readTable(file, back));
  EXPECT_TRUE(sameTable(page, back));
  EXPECT_EQ(file, tableFileBytes(back));
}

TEST(TableFileTest, NumbersAreStoredAsTheirLowByte) {
  ProgrammeTable table, back;
  fillTable(table, {{{1, "", "", -1}, {1, "", "", 300}, {1, "", "", 127}, {1, "", "", 128}}}, -5);
  ASSERT_TRUE(readTable(tableFileBytes(table), back));
  EXPECT_EQ(-5, back.tableKey());
  EXPECT_EQ(-1, back.cellAt(0, 0)->number);
  EXPECT_EQ(44, back.cellAt(0, 1)->number);
  EXPECT_EQ(127, back.cellAt(0, 2)->number);
  EXPECT_EQ(-128, back.cellAt(0, 3)->number);
}

TEST(TableFileTest, AProgrammeLongerThanARecordIsWrittenInRunsAndReadAsOne) {
  ProgrammeTable table, back;
  fillTable(table, {{{1, "", "", 0}, {300, "02", "02", 2}}, {{1, "", "A", 1}, {300, "02:00", "film", 2, 0xFFCCCC}}}, 1);
  const std::string file = tableFileBytes(table);
  // 127 + 127 + 46 rows; the later runs are empty records of the same colour.
  const std::string filmRun = bytes({0x7f, 0x02, 0x05}) + "02:00" + bytes({0x04}) + "film" +
                              bytes({0xcc, 0xcc, 0xff, 0x00});
  const std::string emptyRun = bytes({0x02, 0x00, 0x00, 0xcc, 0xcc, 0xff, 0x00});
  EXPECT_NE(std::string::npos, file.find(filmRun + bytes({0x7f}) + emptyRun + bytes({0x2e}) + emptyRun));
  ASSERT_TRUE(readTable(file, back));
  EXPECT_TRUE(sameTable(table, back));
  EXPECT_EQ(300, back.cellAt(1, 1)->rowSpan);
}

TEST(TableFileTest, VarUIntLengths) {
  EXPECT_EQ(bytes({0x7f}), varUInt(0x7F));
  EXPECT_EQ(bytes({0x80, 0x80}), varUInt(0x80));
  EXPECT_EQ(bytes({0x9f, 0xff}), varUInt(0x1FFF));
  EXPECT_EQ(bytes({0xa0, 0x20, 0x00}), varUInt(0x2000));
  EXPECT_EQ(bytes({0xc0, 0x20, 0x00, 0x00}), varUInt(0x200000));
  EXPECT_EQ(bytes({0xdf, 0xff, 0xff, 0xff}), varUInt(0x1FFFFFFF));
  EXPECT_EQ(bytes({0xe0, 0x20, 0x00, 0x00, 0x00}), varUInt(0x20000000));
  EXPECT_EQ(bytes({0xe0, 0xff, 0xff, 0xff, 0xff}), varUInt(0xFFFFFFFF));
  for (std::uint32_t value : {0u, 0x7Fu, 0x80u, 0x1FFFu, 0x2000u, 0x1FFFFFu, 0x200000u, 0x12345678u, 0xFFFFFFFFu}) {
    StringByteSource source(varUInt(value));
    std::uint32_t back = 0;
    ASSERT_TRUE(readVarUInt(source, &back));
    EXPECT_EQ(value, back);
  }
  StringByteSource cut(bytes({0xa0, 0x20}));
  std::uint32_t value;
  EXPECT_FALSE(readVarUInt(cut, &value));
}

TEST(TableFileTest, WrongMagicOrVersionIsRefusedAndAnEndAfterTheKeyIsAnEmptyTable) {
  ProgrammeTable table;
  const std::string key = bytes({0x05, 0x04, 0x01, 0x00});
  EXPECT_TRUE(readTable(kHeader + key, table));
  EXPECT_EQ(0x10405, table.tableKey());
  EXPECT_EQ(0u, table.columnCount());
  EXPECT_FALSE(readTable("\x0eTvProgramTable\x04" + key, table));
  EXPECT_FALSE(readTable("\x0eTvProgramTablf\x05" + key, table));
  EXPECT_FALSE(readTable("\x0dTvProgramTabl\x05" + key, table));
  EXPECT_FALSE(readTable(kHeader + key.substr(0, 3), table));
  EXPECT_FALSE(readTable("", table));
}

TEST(TableFileTest, DamagedCellsAreRefused) {
  ProgrammeTable table;
  const std::string start = kHeader + bytes({0, 0, 0, 0});
  const std::string cell = bytes({0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0x00});  // after the rowSpan byte
  ASSERT_TRUE(readTable(start + bytes({0, 1}) + cell, table));
  EXPECT_FALSE(readTable(start + bytes({1}) + cell, table));            // a cell before any column
  EXPECT_FALSE(readTable(start + bytes({0, 0x80}) + cell, table));      // rowSpan -128
  EXPECT_FALSE(readTable(start + bytes({0, 0xff}) + cell, table));      // rowSpan -1
  EXPECT_FALSE(readTable(start + bytes({0, 1}) + cell.substr(0, 5), table));  // cut inside
  // A string length of four gigabytes in a file of a few bytes.
  EXPECT_FALSE(readTable(start + bytes({0, 1, 0, 0xe0, 0xff, 0xff, 0xff, 0xff}) + "ab", table));
}

TEST(TableFileTest, ColumnsOfDifferentLengthsAreRefused) {
  // What a file cut off between two cells looks like: it would pass for a
  // complete slot with programmes missing.
  ProgrammeTable table;
  fillTable(table, {{{1, "", "", 0}, {2, "05", "05", 5}}, {{1, "", "A", 1}, {1, "05:00", "a", 5}, {1, "05:30", "b", 5}}});
  std::string file = tableFileBytes(table);
  ProgrammeTable back;
  ASSERT_TRUE(readTable(file, back));
  const std::string lastCell = bytes({0x01, 0x05, 0x05}) + "05:30" + bytes({0x01}) + "b" + bytes({0xff, 0xff, 0xff, 0x00});
  ASSERT_EQ(file.size() - lastCell.size(), file.rfind(lastCell));
  EXPECT_FALSE(readTable(file.substr(0, file.size() - lastCell.size()), back));
}

TEST(TableFileTest, WritingRefusesAGapAndReportsARefusingSink) {
  ProgrammeTable table;
  fillTable(table, {{{1, "", "", 0}, {1, "05", "05", 5}}, {{1, "", "A", 1}, {1, "05:00", "a", 5}}});
  StringByteSink full(20);
  EXPECT_FALSE(table.write(full));
  table.placeCell(1, 3, table.cellAt(1, 1));  // row 2 stays empty
  StringByteSink sink;
  EXPECT_FALSE(table.write(sink));
  EXPECT_EQ("", sink.bytes());  // nothing at all was written
}

}  // namespace
