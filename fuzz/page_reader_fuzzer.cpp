// Fuzzes the page reader (conversion, tokenizer, grid, finishing). An
// accepted page must give a well-formed table that survives its table file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bytes/byte_sink.h"
#include "fuzz/fuzz_bytes.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

void checkShape(const ProgrammeTable& table) {
  for (std::size_t column = 0; column < table.columnCount(); ++column) {
    if (table.rowCount(column) != table.rowCount(0)) std::abort();
    for (std::size_t row = 0; row < table.rowCount(column);) {
      const ProgrammeCell* cell = table.cellAt(column, row);
      if (!cell || cell->rowSpan < 1) std::abort();
      for (int i = 1; i < cell->rowSpan; ++i) {
        if (table.cellAt(column, row + i) != cell) std::abort();
      }
      row += cell->rowSpan;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One table is reused from input to input, as the program reuses its
  // tables: whatever it held before must not show through.
  static ProgrammeTable reused;
  StringByteSource source(data, size);
  ProgrammeTable table;
  const bool accepted = readPage(source, table);
  StringByteSource sameAgain(data, size);
  if (readPage(sameAgain, reused) != accepted) std::abort();
  if (!accepted) return 0;
  checkShape(table);
  const std::string file = fileOf(table);
  if (fileOf(reused) != file) std::abort();
  ProgrammeTable back;
  StringByteSource again(file);
  if (!back.read(again)) std::abort();
  if (fileOf(back) != file) std::abort();
  // The day stacking and the look-ups must cope with any accepted page.
  ProgrammeTable day;
  day.appendTimeSlot(table);
  day.appendTimeSlot(back);
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* cell = day.cellAt(column, day.rowCount(column) - 1);
    if (!cell) continue;
    day.locate(cell);
    day.nextCellBelow(cell);
    day.hourAfter(cell);
    day.channelOf(cell);
    cell->title();
  }
  day.findHour(5);
  return 0;
}
