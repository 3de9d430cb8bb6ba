// Helpers for the programme tests.
#include "tests/support/table_fixtures.h"

#include "bytes/memory_bytes.h"

void fillTable(ProgrammeTable& table, const std::vector<std::vector<CellShape>>& columns, int key) {
  table.clear();
  table.setTableKey(key);
  for (std::size_t column = 0; column < columns.size(); ++column) {
    std::size_t row = 0;
    for (const CellShape& shape : columns[column]) {
      ProgrammeCell* cell = table.newCell(shape.span);
      cell->timeText = shape.timeText;
      cell->body = shape.body;
      cell->number = shape.number;
      cell->background = shape.background;
      cell->updateDetailOffset();
      for (int i = 0; i < shape.span; ++i) table.placeCell(column, row++, cell);
    }
  }
}

namespace {

std::string describe(const ProgrammeCell* cell) {
  if (!cell) return "(empty)";
  return "{" + std::to_string(cell->number) + ", span " + std::to_string(cell->rowSpan) + ", \"" +
         cell->timeText + "\", \"" + cell->body + "\", " + std::to_string(cell->background) + ", offset " +
         std::to_string(cell->detailOffset) + "}";
}

bool sameCell(const ProgrammeCell* a, const ProgrammeCell* b) {
  if (!a || !b) return a == b;
  return a->number == b->number && a->rowSpan == b->rowSpan && a->timeText == b->timeText && a->body == b->body &&
         a->background == b->background && a->detailOffset == b->detailOffset;
}

}  // namespace

::testing::AssertionResult sameTable(const ProgrammeTable& expected, const ProgrammeTable& actual) {
  if (expected.tableKey() != actual.tableKey()) {
    return ::testing::AssertionFailure() << "key " << expected.tableKey() << " != " << actual.tableKey();
  }
  if (expected.columnCount() != actual.columnCount()) {
    return ::testing::AssertionFailure() << "columns " << expected.columnCount() << " != " << actual.columnCount();
  }
  for (std::size_t column = 0; column < expected.columnCount(); ++column) {
    const std::size_t rows = expected.rowCount(column);
    if (rows != actual.rowCount(column)) {
      return ::testing::AssertionFailure() << "column " << column << ": rows " << rows << " != "
                                           << actual.rowCount(column);
    }
    for (std::size_t row = 0; row < rows; ++row) {
      const ProgrammeCell* a = expected.cellAt(column, row);
      const ProgrammeCell* b = actual.cellAt(column, row);
      // Same cell where the other table has the same cell, too.
      bool continues = row > 0 && a && a == expected.cellAt(column, row - 1);
      bool continuesToo = row > 0 && b && b == actual.cellAt(column, row - 1);
      if (!sameCell(a, b) || continues != continuesToo) {
        return ::testing::AssertionFailure() << "column " << column << ", row " << row << ": " << describe(a)
                                             << " != " << describe(b);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

std::string tableFileBytes(const ProgrammeTable& table) {
  StringByteSink sink;
  EXPECT_TRUE(table.write(sink));
  return sink.bytes();
}
