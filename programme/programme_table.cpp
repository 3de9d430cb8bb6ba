// ProgrammeTable: the grid itself and the look-ups of the lists.
#include "programme/programme_table.h"

#include <algorithm>
#include <cstdint>

void ProgrammeTable::clear() {
  gridChanged();
  tableKey_ = -1;
  for (std::vector<ProgrammeCell*>& column : grid_) {
    column.clear();
    spareColumns_.push_back(std::move(column));
  }
  grid_.clear();
  cellsInUse_ = 0;
}

// The next unused cell, its texts emptied (an unusually long text gives its
// memory back rather than keeping it for good).
ProgrammeCell* ProgrammeTable::freshCell() {
  if (cellsInUse_ == cells_.size()) cells_.emplace_back();
  ProgrammeCell* cell = &cells_[cellsInUse_++];
  const std::size_t kLongText = 4096;
  if (cell->body.capacity() > kLongText) std::string().swap(cell->body);
  if (cell->timeText.capacity() > kLongText) std::string().swap(cell->timeText);
  return cell;
}

ProgrammeCell* ProgrammeTable::newCell(int rowSpan) {
  ProgrammeCell* cell = freshCell();
  cell->number = 0;
  cell->rowSpan = rowSpan;
  cell->timeText.clear();
  cell->body.clear();
  cell->background = 0xFFFFFF;
  cell->detailOffset = 0;
  return cell;
}

void ProgrammeTable::growColumns(std::size_t count) {
  gridChanged();
  while (grid_.size() < count) {
    if (spareColumns_.empty()) {
      grid_.emplace_back();
    } else {
      grid_.push_back(std::move(spareColumns_.back()));
      spareColumns_.pop_back();
    }
  }
}

void ProgrammeTable::placeCell(std::size_t column, std::size_t row, ProgrammeCell* cell) {
  gridChanged();
  growColumns(column + 1);
  std::vector<ProgrammeCell*>& rows = grid_[column];
  if (rows.size() <= row) rows.resize(row + 1, nullptr);
  rows[row] = cell;
}

void ProgrammeTable::placeCellRows(std::size_t column, std::size_t firstRow, std::size_t count,
                                   ProgrammeCell* cell) {
  gridChanged();
  if (count == 0) return;
  growColumns(column + 1);
  std::vector<ProgrammeCell*>& rows = grid_[column];
  if (rows.size() < firstRow + count) rows.resize(firstRow + count, nullptr);
  std::fill_n(rows.begin() + static_cast<std::ptrdiff_t>(firstRow), count, cell);
}

ProgrammeCell* ProgrammeTable::cellAt(std::size_t column, std::size_t row) {
  gridChanged();
  if (column >= grid_.size() || row >= grid_[column].size()) return nullptr;
  return grid_[column][row];
}

void ProgrammeTable::resizeColumn(std::size_t column, std::size_t rows) {
  gridChanged();
  growColumns(column + 1);
  grid_[column].resize(rows, nullptr);
}

void ProgrammeTable::removeColumn(std::size_t column) {
  gridChanged();
  grid_.erase(grid_.begin() + static_cast<std::ptrdiff_t>(column));
}

int ProgrammeTable::findChannel(const std::string& name) const {
  for (std::size_t column = 1; column < grid_.size(); ++column) {
    const ProgrammeCell* header = cellAt(column, 0);
    if (header && header->body == name) return static_cast<int>(column);
  }
  return -1;
}

HourRows ProgrammeTable::findHour(int hour) const {
  // The last row is never an hour's first row in a finished table.
  const std::size_t rows = rowCount(0);
  for (std::size_t row = 1; row + 1 < rows;) {
    const ProgrammeCell* cell = cellAt(0, row);
    if (cell && cell->number == hour) {
      return {static_cast<int>(row), static_cast<int>(row + rowsSteppedOver(cell))};
    }
    row += rowsSteppedOver(cell);
  }
  return {0, 0};
}

namespace {

// Walks each channel column as the lists do, stepping over a cell's rows.
template <typename Visit>
void walkChannelColumns(const std::vector<std::vector<ProgrammeCell*>>& grid, Visit visit) {
  for (std::size_t column = 1; column < grid.size(); ++column) {
    const std::vector<ProgrammeCell*>& rows = grid[column];
    for (std::size_t row = 1; row < rows.size(); row += rowsSteppedOver(rows[row])) {
      if (rows[row]) visit(rows[row], GridPosition{static_cast<int>(column), static_cast<int>(row)});
    }
  }
}

}  // namespace

std::size_t ProgrammeTable::placeOf(const ProgrammeCell* cell) const {
  const std::size_t mask = positions_.size() - 1;
  std::size_t place = static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(cell) >> 4) * 0x9E3779B97F4A7C15ull) & mask;
  while (positions_[place].cell && positions_[place].cell != cell) place = (place + 1) & mask;
  return place;
}

void ProgrammeTable::indexPositions() const {
  std::size_t visits = 0;
  walkChannelColumns(grid_, [&](const ProgrammeCell*, GridPosition) { ++visits; });
  std::size_t size = 16;
  while (size < 2 * visits) size *= 2;
  positions_.assign(size, PlacedCell{nullptr, GridPosition{0, 0}});
  // A cell met again keeps the position it was first met at.
  walkChannelColumns(grid_, [&](const ProgrammeCell* cell, GridPosition position) {
    PlacedCell& placed = positions_[placeOf(cell)];
    if (!placed.cell) placed = {cell, position};
  });
  positionsStale_ = false;
}

GridPosition ProgrammeTable::locate(const ProgrammeCell* cell) const {
  if (!cell) return {0, 0};
  if (positionsStale_) indexPositions();
  const PlacedCell& placed = positions_[placeOf(cell)];
  return placed.cell ? placed.position : GridPosition{0, 0};
}

const ProgrammeCell* ProgrammeTable::channelOf(const ProgrammeCell* cell) const {
  GridPosition position = locate(cell);
  return position.column > 0 ? cellAt(position.column, 0) : nullptr;
}

const ProgrammeCell* ProgrammeTable::nextCellBelow(const ProgrammeCell* cell) const {
  return nextCellBelow(cell, locate(cell));
}

const ProgrammeCell* ProgrammeTable::nextCellBelow(const ProgrammeCell* cell, GridPosition position) const {
  if (position.column == 0) return nullptr;
  const std::size_t rows = rowCount(position.column);
  for (std::size_t row = position.row + rowsSteppedOver(cell); row < rows; ++row) {
    if (const ProgrammeCell* below = cellAt(position.column, row)) return below;
  }
  return nullptr;
}

const ProgrammeCell* ProgrammeTable::hourAfter(const ProgrammeCell* cell) const {
  GridPosition position = locate(cell);
  if (position.column == 0) return nullptr;
  const std::size_t end = position.row + rowsSteppedOver(cell);
  const std::size_t rows = rowCount(0);
  for (std::size_t row = 1; row < rows;) {
    const ProgrammeCell* hour = cellAt(0, row);
    if (hour && row > end) return hour;
    row += rowsSteppedOver(hour);
  }
  return nullptr;
}
