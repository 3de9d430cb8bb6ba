// ProgrammeTable::finishPage: checks the grid a page produced and turns it
// into a page table (footer dropped, hours and channels numbered, start
// times completed).
#include <algorithm>
#include <cstdio>

#include "bytes/string_map.h"
#include "programme/programme_table.h"

namespace {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string twoDigits(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", number);
  return text;
}

// "HH:MM" at the start of `body`.
bool startsWithClock(const std::string& body) {
  return body.size() >= 5 && isDigit(body[0]) && isDigit(body[1]) && body[2] == ':' &&
         isDigit(body[3]) && isDigit(body[4]);
}

}  // namespace

bool ProgrammeTable::finishPage() {
  gridChanged();
  if (grid_.size() < 2 || grid_[0].size() < 3) return false;
  if (!cellAt(grid_.size() - 1, 0)) grid_.pop_back();
  // The last row is the footer, which repeats the header row.
  const std::size_t rows = grid_[0].size();
  for (std::size_t column = 0; column < grid_.size(); ++column) {
    if (grid_[column].size() != rows) return false;
    const ProgrammeCell* header = cellAt(column, 0);
    const ProgrammeCell* footer = cellAt(column, rows - 1);
    if (!header || !footer || header->body != footer->body) return false;
  }
  for (std::vector<ProgrammeCell*>& column : grid_) column.pop_back();

  // A channel without a name is dropped; the others are numbered by their
  // place, without a gap.
  for (std::size_t column = 1; column < grid_.size();) {
    if (cellAt(column, 0)->body.empty()) {
      removeColumn(column);
    } else {
      ++column;
    }
  }
  std::vector<const ProgrammeCell*> visited;
  for (std::size_t column = 0; column < grid_.size(); ++column) {
    if (!normaliseColumn(column, visited)) return false;
  }
  std::sort(visited.begin(), visited.end());
  if (std::adjacent_find(visited.begin(), visited.end()) != visited.end()) return false;

  finishHourColumn();
  for (std::size_t column = 1; column < grid_.size(); ++column) finishChannelColumn(column);
  for (std::size_t i = 0; i < cellsInUse_; ++i) cells_[i].updateDetailOffset();
  return true;
}

// Makes the references of a column match the cells met walking it: a cell
// covers exactly rowSpan rows from where the walk meets it, cut at the end
// of the column. A gap is a page the reader cannot make sense of: false.
// A cell met twice (its rows broken up by another) is caught by the caller.
bool ProgrammeTable::normaliseColumn(std::size_t column, std::vector<const ProgrammeCell*>& visited) {
  std::vector<ProgrammeCell*>& rows = grid_[column];
  for (std::size_t row = 0; row < rows.size();) {
    ProgrammeCell* cell = rows[row];
    if (!cell || cell->rowSpan < 1) return false;
    // The header covers the header row only.
    std::size_t span = row == 0 ? 1 : std::min(static_cast<std::size_t>(cell->rowSpan), rows.size() - row);
    cell->rowSpan = static_cast<int>(span);
    for (std::size_t r = row; r < row + span; ++r) rows[r] = cell;
    visited.push_back(cell);
    row += span;
  }
  return true;
}

void ProgrammeTable::finishHourColumn() {
  std::vector<ProgrammeCell*>& rows = grid_[0];
  for (std::size_t row = 1; row < rows.size(); row += rows[row]->rowSpan) {
    ProgrammeCell* hour = rows[row];
    if (hour->timeText.empty()) {
      hour->number = -1;
      continue;
    }
    // Hours after midnight run on as 24, 25, ...; the text shows the clock.
    hour->number = parseLeadingInt(hour->timeText);
    hour->timeText = twoDigits(hour->number % 24);
    hour->body = hour->timeText;
  }
}

void ProgrammeTable::finishChannelColumn(std::size_t column) {
  std::vector<ProgrammeCell*>& rows = grid_[column];
  rows[0]->number = static_cast<int>(column);
  for (std::size_t row = 1; row < rows.size(); row += rows[row]->rowSpan) {
    ProgrammeCell* cell = rows[row];
    if (!cell->timeText.empty()) {
      if (cell->body == " ") {
        cell->body.clear();
        continue;
      }
      // The page gave the minute; the hour comes from the hour column.
      const ProgrammeCell* hour = grid_[0][row];
      cell->number = hour->number;
      cell->timeText = hour->timeText + ":" + cell->timeText;
    } else if (startsWithClock(cell->body)) {
      int hour = (cell->body[0] - '0') * 10 + (cell->body[1] - '0');
      cell->timeText = twoDigits(hour % 24) + cell->body.substr(2, 3);
      cell->body.erase(0, 5);
    } else {
      cell->body.clear();
    }
  }
}
