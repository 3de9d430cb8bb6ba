// ProgrammeTable: the table file, a page table as stored in the cache.
//
//   string  "TvProgramTable"       (VarUInt length 14, then the bytes)
//   byte    5                       version
//   int32   table key               MMDDHH
//   per column, from column 0:
//     byte 0                        column marker
//     per cell from the top:        rowSpan byte (1..127), number byte,
//                                   string timeText, string body, int32 colour
// Integers are little-endian; the end of the file ends the table.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "bytes/byte_sink.h"
#include "bytes/byte_source.h"
#include "net/span_reader.h"
#include "programme/programme_table.h"
#include "programme/var_uint.h"

namespace {

const char kMagic[] = "TvProgramTable";
const std::uint32_t kMagicLength = 14;
const int kVersion = 5;
// The longest run one record can hold: the rowSpan byte is read signed.
const int kLongestRun = 127;
// Grid positions a file may fill: far beyond any page table (a few hundred
// channels of one slot), small enough that no file can exhaust memory.
const std::size_t kMaxPositions = std::size_t(1) << 20;
const std::size_t kMaxColumns = 4096;

bool putInt32(ByteSink& sink, std::int32_t value) {
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                            static_cast<unsigned char>(bits >> 16),
                            static_cast<unsigned char>(bits >> 24)};
  return sink.write(bytes, 4) == 4;
}

bool putString(ByteSink& sink, const std::string& text) {
  const int length = static_cast<int>(text.size());
  return writeVarUInt(sink, static_cast<std::uint32_t>(text.size())) &&
         sink.write(text.data(), length) == length;
}

bool putRecord(ByteSink& sink, int span, int number, const std::string& timeText,
               const std::string& body, int background) {
  return sink.put(static_cast<unsigned char>(span)) && sink.put(static_cast<unsigned char>(number)) &&
         putString(sink, timeText) && putString(sink, body) && putInt32(sink, background);
}

bool readInt32(ByteSource& source, std::int32_t* value) {
  std::uint32_t bits = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int byte = source.nextByte();
    if (byte < 0) return false;
    bits |= static_cast<std::uint32_t>(byte) << shift;
  }
  *value = static_cast<std::int32_t>(bits);
  return true;
}

// Grows with the bytes actually read, so a length far beyond the file costs
// nothing but the end of the input.
bool readString(ByteSource& source, std::string* text) {
  std::uint32_t length;
  if (!readVarUInt(source, &length)) return false;
  text->clear();
  // Taken a span at a time where the source offers spans.
  SpanReader input(source);
  for (std::uint32_t left = length; left > 0;) {
    const unsigned char* bytes;
    int count = input.next(bytes);
    if (count == 0) return false;
    std::uint32_t used = std::min(static_cast<std::uint32_t>(count), left);
    text->append(reinterpret_cast<const char*>(bytes), used);
    input.take(static_cast<int>(used));
    left -= used;
  }
  return true;
}

bool readHeader(ByteSource& source, int* key) {
  std::uint32_t length;
  if (!readVarUInt(source, &length) || length != kMagicLength) return false;
  for (std::uint32_t i = 0; i < length; ++i) {
    if (source.nextByte() != static_cast<unsigned char>(kMagic[i])) return false;
  }
  std::int32_t value;
  if (source.nextByte() != kVersion || !readInt32(source, &value)) return false;
  *key = value;
  return true;
}

}  // namespace

bool ProgrammeTable::write(ByteSink& sink) const {
  // A gap would leave the file without the rows that follow it: refuse
  // before anything is written.
  for (const std::vector<ProgrammeCell*>& column : grid_) {
    for (std::size_t row = 0; row < column.size(); row += column[row]->rowSpan) {
      if (!column[row] || column[row]->rowSpan < 1) return false;
    }
  }
  if (!putString(sink, kMagic) || !sink.put(kVersion) || !putInt32(sink, tableKey_)) return false;
  for (const std::vector<ProgrammeCell*>& column : grid_) {
    if (!sink.put(0)) return false;
    for (std::size_t row = 0; row < column.size();) {
      const ProgrammeCell& cell = *column[row];
      // A span past the end of the column is cut, so the column reads back
      // as long as it is.
      int span = static_cast<int>(std::min<std::size_t>(cell.rowSpan, column.size() - row));
      row += cell.rowSpan;
      // A programme longer than one record can hold goes on in empty
      // records, which read() joins to it again.
      int run = std::min(span, kLongestRun);
      if (!putRecord(sink, run, cell.number, cell.timeText, cell.body, cell.background)) return false;
      for (span -= run; span > 0; span -= run) {
        run = std::min(span, kLongestRun);
        if (!putRecord(sink, run, cell.number, std::string(), std::string(), cell.background)) return false;
      }
    }
  }
  return true;
}

bool ProgrammeTable::read(ByteSource& source) {
  gridChanged();
  clear();
  int key;
  if (!readHeader(source, &key)) return false;
  tableKey_ = key;
  std::size_t positions = 0;
  ProgrammeCell* last = nullptr;  // the cell of the column's last record
  int lastRun = 0;                // and that record's rowSpan
  for (int marker; (marker = source.nextByte()) >= 0;) {
    if (marker == 0) {
      if (grid_.size() == kMaxColumns) return false;
      growColumns(grid_.size() + 1);
      // Every column is as long as the first: grown once, not run by run.
      if (grid_.size() > 1) grid_.back().reserve(grid_[0].size());
      last = nullptr;
      continue;
    }
    const int span = static_cast<std::int8_t>(marker);
    int number = source.nextByte();
    if (span < 1 || grid_.empty() || number < 0) return false;
    positions += static_cast<std::size_t>(span);
    if (positions > kMaxPositions) return false;
    // Read straight into a new cell; a run that turns out to continue the
    // cell before gives it back.
    ProgrammeCell* cell = newCell(span);
    std::int32_t background;
    if (!readString(source, &cell->timeText) || !readString(source, &cell->body) ||
        !readInt32(source, &background)) {
      return false;
    }
    cell->number = static_cast<std::int8_t>(number);
    cell->background = background;
    std::vector<ProgrammeCell*>& column = grid_.back();
    if (last && lastRun == kLongestRun && cell->timeText.empty() && cell->body.empty() &&
        cell->number == last->number && background == last->background) {
      last->rowSpan += span;  // a long programme going on
      --cellsInUse_;
    } else {
      cell->updateDetailOffset();
      last = cell;
    }
    lastRun = span;
    column.insert(column.end(), static_cast<std::size_t>(span), last);
  }
  // A file cut short inside a column would show a slot with programmes
  // missing and count as complete; refuse it so the page is read again.
  for (const std::vector<ProgrammeCell*>& column : grid_) {
    if (column.size() != grid_[0].size()) return false;
  }
  return true;
}
