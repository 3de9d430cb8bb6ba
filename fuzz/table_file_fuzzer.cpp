// Fuzzes the table file reader. A file that is accepted must write back to
// a file that reads to the same bytes again, and stack into a day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bytes/byte_sink.h"
#include "bytes/byte_source.h"
#include "fuzz/fuzz_bytes.h"
#include "programme/programme_table.h"

namespace {

bool readBytes(const std::string& bytes, ProgrammeTable& table) {
  StringByteSource source(bytes);
  return table.read(source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One table is reused from input to input, as the program reuses its
  // tables: whatever it held before must not show through.
  static ProgrammeTable reused;
  StringByteSource source(data, size);
  ProgrammeTable table;
  const bool accepted = table.read(source);
  StringByteSource sameAgain(data, size);
  if (reused.read(sameAgain) != accepted) std::abort();
  if (!accepted) return 0;
  const std::string file = fileOf(table);
  if (fileOf(reused) != file) std::abort();
  ProgrammeTable back;
  if (!readBytes(file, back) || fileOf(back) != file) std::abort();
  ProgrammeTable day, joined;
  day.appendTimeSlot(table);
  day.appendTimeSlot(back);
  joined.appendChannels(table);
  joined.appendChannels(back);
  for (std::size_t column = 0; column < day.columnCount(); ++column) {
    for (std::size_t row = 0; row < day.rowCount(column); ++row) {
      if (const ProgrammeCell* cell = day.cellAt(column, row)) {
        day.nextCellBelow(cell);
        day.hourAfter(cell);
        if (cell->detailOffset > cell->body.size()) std::abort();
      }
    }
  }
  day.findChannel("x");
  day.findHour(25);
  return 0;
}
