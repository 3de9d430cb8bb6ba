// ProgrammeTable: the programme guide as a grid. Columns are channels,
// rows are equal time units; each cell covers one or more consecutive rows
// of its column. Column 0 is the hour column, row 0 the header row (channel
// names; the corner cell sits at column 0, row 0).
//
// Three kinds of table share this type:
// - a page table: one four-hour slot read from one guide page (or several
//   pages of the slot joined side by side), key MMDDHH;
// - its stored form, the table file "%06dtb.tmp" (see write/read);
// - the day table: the six page tables of a broadcast day stacked one below
//   the other by GuideCache::loadDay, key MMDD99 once all six were found.
//
// Walking a column, as every reader of the grid does: start at row 1 (row 0
// is the header); a position that holds a cell advances by its rowSpan, an
// empty position (the day table leaves gaps for channels missing from a
// slot) advances by one.
//
// A table owns its cells; pointers handed out stay valid until clear(),
// read() or destruction. Not thread-safe, const look-ups included (they
// build their index on first use): one thread at a time.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "programme/programme_cell.h"

class ByteSink;
class ByteSource;

struct HourRows {
  int firstRow;  // first row of the hour
  int endRow;    // one past its last row; (0, 0) when the hour is not held
};

struct GridPosition {
  int column;
  int row;  // (0, 0) when not found
};

// How far a walk down a column moves past `cell`: never less than one row,
// so that no cell, however damaged, can stop a walk. locate's index is made
// by such walks.
inline std::size_t rowsSteppedOver(const ProgrammeCell* cell) {
  return cell && cell->rowSpan > 1 ? static_cast<std::size_t>(cell->rowSpan) : 1;
}

class ProgrammeTable {
 public:
  ProgrammeTable() = default;
  ProgrammeTable(const ProgrammeTable&) = delete;
  ProgrammeTable& operator=(const ProgrammeTable&) = delete;

  // MMDDHH of a page table, MMDD99 of a complete day, -1 after clear(),
  // 0 in a table never filled.
  int tableKey() const { return tableKey_; }
  void setTableKey(int key) { tableKey_ = key; }

  // ---- Construction (the page reader and the joins use these) ----

  // Key -1, grid emptied, every cell deleted. (The memory is kept for the
  // next fill: a day table is cleared and refilled on every reload.)
  void clear();
  // A new cell {number 0, rowSpan, empty texts}, owned by this table and not
  // yet placed; the caller sets its background.
  ProgrammeCell* newCell(int rowSpan);
  // Grows the grid to hold (column, row) (new positions empty) and stores
  // `cell` there.
  void placeCell(std::size_t column, std::size_t row, ProgrammeCell* cell);
  // placeCell for rows firstRow .. firstRow + count - 1, growing once.
  void placeCellRows(std::size_t column, std::size_t firstRow, std::size_t count, ProgrammeCell* cell);
  // Checks and completes a grid just read from a page: drops the footer
  // row, numbers the hours and channels, turns minutes into "HH:MM" start
  // times. False when the grid does not have the shape of a guide page; the
  // table must then not be used.
  bool finishPage();

  // ---- Access ----

  std::size_t columnCount() const { return grid_.size(); }
  // Rows of `column`; 0 past the last column. Every column of a finished
  // table has the row count of column 0.
  // (Both here in the header: every walk of the grid asks them per row.)
  std::size_t rowCount(std::size_t column) const { return column < grid_.size() ? grid_[column].size() : 0; }
  // The cell at (column, row); null when out of range or empty.
  const ProgrammeCell* cellAt(std::size_t column, std::size_t row) const {
    if (column >= grid_.size() || row >= grid_[column].size()) return nullptr;
    return grid_[column][row];
  }
  ProgrammeCell* cellAt(std::size_t column, std::size_t row);
  bool isOccupied(std::size_t column, std::size_t row) const {
    return cellAt(column, row) != nullptr;
  }
  // Every cell owned, placed or not (split leftovers are never placed).
  std::size_t cellCount() const { return cellsInUse_; }

  // ---- Joining tables (the receiving table owns deep copies) ----

  // Puts the channel columns of `other` (a later page of the same slot) to
  // the right of this table's; this table's hour column stays. The copied
  // headers are numbered with their new column index.
  void appendChannels(const ProgrammeTable& other);
  // Stacks the rows of `other` (the next slot of the day) below the rows
  // held: channels are matched by name, a channel new to the day gets a new
  // column (empty above), and a programme that runs on across the slot
  // boundary (same start time on both sides) becomes one cell.
  void appendTimeSlot(const ProgrammeTable& other);
  // The same, taking the texts of `other`'s cells rather than copying them;
  // `other` is then only fit to be cleared or refilled.
  void appendTimeSlot(ProgrammeTable&& other);

  // ---- Look-ups for the lists ----

  // Index of the first channel column (from 1) whose header body is `name`
  // (Shift-JIS, exact bytes); -1 when none.
  int findChannel(const std::string& name) const;
  // The rows of the hour cell whose number is `hour` (5..28 style hours).
  HourRows findHour(int hour) const;
  // The first row of `cell` in the channel columns.
  GridPosition locate(const ProgrammeCell* cell) const;
  // The header cell (row 0) of the column that holds `cell`; null if none.
  const ProgrammeCell* channelOf(const ProgrammeCell* cell) const;
  // The next cell in the same column below the rows of `cell`; null if none.
  const ProgrammeCell* nextCellBelow(const ProgrammeCell* cell) const;
  // The same for a cell at `position`, what locate gives for it.
  const ProgrammeCell* nextCellBelow(const ProgrammeCell* cell, GridPosition position) const;
  // The first hour cell that starts strictly after row + rowSpan of `cell`
  // (its timeText + "00" serves as an end time when nothing better is known).
  const ProgrammeCell* hourAfter(const ProgrammeCell* cell) const;

  // ---- The table file ----
  //
  // All integers little-endian; a string is a VarUInt byte count and the
  // bytes. Layout: string "TvProgramTable", byte 5 (version), int32 key;
  // then per column a byte 0, followed by its cells from the top, once per
  // cell: byte rowSpan (1..127), byte number (low 8 bits, read back
  // sign-extended), string timeText, string body, int32 background. The end
  // of the file ends the table.

  // Writes the table; false as soon as a write fails, or (before anything
  // is written) when a column has a gap where a cell should start. A cell
  // longer than 127 rows is written as runs of at most 127 rows, the later
  // runs empty; read() joins them again.
  bool write(ByteSink& sink) const;
  // Clears the table and reads one. False on a wrong magic or version, a
  // cell cut short, a rowSpan byte that is not 1..127, columns of different
  // lengths, or a grid far larger than any page table (so that no file can
  // exhaust memory); the table must then not be used.
  bool read(ByteSource& source);

 private:
  ProgrammeCell* freshCell();
  // A copy of `cell`; of a cell not const, its texts are taken.
  ProgrammeCell* copyOf(const ProgrammeCell& cell);
  ProgrammeCell* copyOf(ProgrammeCell& cell);
  void growColumns(std::size_t count);
  // Other is a const ProgrammeTable, or one whose texts may be taken.
  template <typename Other>
  void copyColumn(Other& other, std::size_t from, std::size_t to, std::size_t firstRow, std::size_t targetRow,
                  std::size_t rowLimit);
  // The whole of other, into a table holding no cells.
  template <typename Other>
  void copyGrid(Other& other);
  template <typename Other>
  void stackTimeSlot(Other& other);
  void resizeColumn(std::size_t column, std::size_t rows);
  void removeColumn(std::size_t column);
  bool normaliseColumn(std::size_t column, std::vector<const ProgrammeCell*>& visited);
  void finishHourColumn();
  void finishChannelColumn(std::size_t column);
  // Every change to the grid calls this; the next look-up re-indexes.
  void gridChanged() { positionsStale_ = true; }
  void indexPositions() const;

  int tableKey_ = 0;
  // The cells are the first cellsInUse_ of cells_; the rest wait for reuse.
  // A deque keeps their addresses stable as it grows.
  std::deque<ProgrammeCell> cells_;
  std::size_t cellsInUse_ = 0;
  std::vector<std::vector<ProgrammeCell*>> grid_;
  std::vector<std::vector<ProgrammeCell*>> spareColumns_;  // emptied, for reuse
  // Where each placed cell first lies, as a walk down its column meets it:
  // the lists look up every cell, and a search of the grid per cell made
  // them quadratic in the channels.
  // Open addressing in one array (a power of two, at most half full, empty
  // places null): a day's thousands of cells without a node each.
  struct PlacedCell {
    const ProgrammeCell* cell;
    GridPosition position;
  };
  std::size_t placeOf(const ProgrammeCell* cell) const;
  mutable std::vector<PlacedCell> positions_;
  mutable bool positionsStale_ = true;
};
