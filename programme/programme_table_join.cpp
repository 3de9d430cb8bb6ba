// ProgrammeTable: joining the pages of a slot side by side and stacking the
// slots of a day. Both copy cells; the other table is left as it is unless
// its texts are taken.
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "programme/programme_table.h"

namespace {

inline std::size_t spanOf(const ProgrammeCell& cell) {
  return cell.rowSpan > 1 ? static_cast<std::size_t>(cell.rowSpan) : 1;
}

}  // namespace

ProgrammeCell* ProgrammeTable::copyOf(const ProgrammeCell& cell) {
  ProgrammeCell* copy = freshCell();
  *copy = cell;  // the strings reuse the memory the cell had
  copy->updateDetailOffset();
  return copy;
}

ProgrammeCell* ProgrammeTable::copyOf(ProgrammeCell& cell) {
  ProgrammeCell* copy = freshCell();
  // A moved string hands its old memory to the one it came from.
  *copy = std::move(cell);
  copy->updateDetailOffset();
  return copy;
}

// Copies the cells of other's column `from`, walking it from `firstRow`, into
// column `to` here, other's row r landing on row r - firstRow + targetRow.
// Nothing is placed at or below `rowLimit`; empty positions stay empty.
template <typename Other>
void ProgrammeTable::copyColumn(Other& other, std::size_t from, std::size_t to, std::size_t firstRow,
                                std::size_t targetRow, std::size_t rowLimit) {
  const std::size_t rows = other.rowCount(from);
  std::vector<ProgrammeCell*>& column = grid_[to];
  for (std::size_t row = firstRow; row < rows;) {
    auto* cell = other.cellAt(from, row);
    if (!cell) {
      ++row;
      continue;
    }
    std::size_t target = row - firstRow + targetRow;
    if (target >= rowLimit) break;
    ProgrammeCell* copy = copyOf(*cell);
    std::size_t end = std::min(target + spanOf(*cell), rowLimit);
    for (std::size_t r = target; r < end; ++r) column[r] = copy;
    row += spanOf(*cell);
  }
}

template <typename Other>
void ProgrammeTable::copyGrid(Other& other) {
  const int key = tableKey_;
  clear();  // (recycles any empty columns)
  tableKey_ = key;
  growColumns(other.columnCount());
  for (std::size_t column = 0; column < other.columnCount(); ++column) {
    grid_[column].assign(other.rowCount(column), nullptr);
    copyColumn(other, column, column, 0, 0, other.rowCount(column));
  }
}

void ProgrammeTable::appendChannels(const ProgrammeTable& other) {
  gridChanged();
  if (cellsInUse_ == 0 || grid_.empty()) return copyGrid(other);
  const std::size_t firstNew = columnCount();
  const std::size_t rows = rowCount(0);
  for (std::size_t channel = 1; channel < other.columnCount(); ++channel) {
    const std::size_t target = firstNew + channel - 1;
    resizeColumn(target, rows);
    copyColumn(other, channel, target, 0, 0, rows);
    if (ProgrammeCell* header = cellAt(target, 0)) header->number = static_cast<int>(target);
  }
}

void ProgrammeTable::appendTimeSlot(const ProgrammeTable& other) { stackTimeSlot(other); }

void ProgrammeTable::appendTimeSlot(ProgrammeTable&& other) { stackTimeSlot(other); }

template <typename Other>
void ProgrammeTable::stackTimeSlot(Other& other) {
  gridChanged();
  if (cellsInUse_ == 0 || grid_.empty()) return copyGrid(other);
  const std::size_t held = rowCount(0);
  const std::size_t added = other.rowCount(0);
  if (added < 2) return;  // a header row alone brings no programme
  const std::size_t rows = held + added - 1;
  for (std::vector<ProgrammeCell*>& column : grid_) {
    // Room for the day's later slots too: a column grown slot by slot
    // would be copied each time.
    if (column.capacity() < rows) column.reserve(std::max(rows, 2 * column.capacity()));
    if (column.size() < rows) column.resize(rows, nullptr);
  }
  // The first column of each name, as findChannel would give it. The
  // names are the headers' own: headers are never replaced here.
  std::unordered_map<std::string_view, std::size_t> columnOf(2 * grid_.size());
  for (std::size_t column = grid_.size(); column-- > 1;) {
    if (const ProgrammeCell* header = cellAt(column, 0)) columnOf[header->body] = column;
  }
  // Other's row k (from 1) lands on row held + k - 1.
  copyColumn(other, 0, 0, 1, held, rows);
  for (std::size_t channel = 1; channel < other.columnCount(); ++channel) {
    auto* header = other.cellAt(channel, 0);
    if (!header) continue;
    auto found = columnOf.find(header->body);
    std::size_t target;
    if (found != columnOf.end()) {
      target = found->second;
    } else {
      // A channel new to the day: empty above, numbered by its place here.
      target = columnCount();
      resizeColumn(target, rows);
      ProgrammeCell* copy = copyOf(*header);
      copy->number = static_cast<int>(target);
      grid_[target][0] = copy;
      columnOf.emplace(copy->body, target);
    }
    std::size_t firstRow = 1;
    ProgrammeCell* last = held >= 2 ? cellAt(target, held - 1) : nullptr;
    const ProgrammeCell* first = other.cellAt(channel, 1);
    if (last && first && last->timeText == first->timeText) {
      // The programme runs on across the slot boundary: one cell.
      last->rowSpan += first->rowSpan;
      std::size_t end = std::min(held + spanOf(*first), rows);
      for (std::size_t row = held; row < end; ++row) grid_[target][row] = last;
      firstRow = 1 + spanOf(*first);
    }
    copyColumn(other, channel, target, firstRow, held + firstRow - 1, rows);
  }
}
