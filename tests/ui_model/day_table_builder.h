// DayTableBuilder: builds a broadcast day table the way loadDay leaves one
// (hour column 5..28, a header row, channels side by side) through the
// table's own construction calls, so the list views can be tried on
// realistic days without pages or files.
#pragma once

#include <cstdio>
#include <string>

#include "programme/programme_table.h"

class DayTableBuilder {
 public:
  // `rowsPerHour` rows for each hour from 05 to 28.
  explicit DayTableBuilder(ProgrammeTable& table, int rowsPerHour = 4)
      : table_(table), rowsPerHour_(rowsPerHour) {
    table_.clear();
    table_.setTableKey(120499);
    ProgrammeCell* corner = table_.newCell(1);
    table_.placeCell(0, 0, corner);
    for (int hour = 5; hour <= 28; ++hour) {
      ProgrammeCell* cell = table_.newCell(rowsPerHour_);
      cell->number = hour;
      cell->timeText = twoDigits(hour % 24);
      cell->body = cell->timeText;
      cell->updateDetailOffset();
      for (int r = 0; r < rowsPerHour_; ++r) table_.placeCell(0, rowOf(hour, 0) + r, cell);
    }
  }

  int rows() const { return 1 + 24 * rowsPerHour_; }
  // The first row of hour:minute (minutes rounded down to a row).
  int rowOf(int hour, int minute) const {
    return 1 + (hour - 5) * rowsPerHour_ + minute * rowsPerHour_ / 60;
  }

  // A new channel column with its header; returns the column.
  int channel(const std::string& name) {
    const int column = static_cast<int>(table_.columnCount());
    ProgrammeCell* header = table_.newCell(1);
    header->number = column;
    header->body = name;
    header->updateDetailOffset();
    table_.placeCell(column, 0, header);
    return column;
  }

  // A programme from hour:minute lasting `minutes`; `number` is the hour
  // the page reader records for minute-only start times.
  ProgrammeCell* programme(int column, int hour, int minute, int minutes, const std::string& body,
                           int background = 0xFFFFFF) {
    const int first = rowOf(hour, minute);
    int span = minutes * rowsPerHour_ / 60;
    if (span < 1) span = 1;
    ProgrammeCell* cell = table_.newCell(span);
    cell->number = hour;
    cell->timeText = twoDigits(hour % 24) + ":" + twoDigits(minute);
    cell->body = body;
    cell->background = background;
    cell->updateDetailOffset();
    for (int r = 0; r < span; ++r) table_.placeCell(column, first + r, cell);
    return cell;
  }

  // Fills every free position of the channel columns with an empty slot,
  // as a page does; without this, free positions stay gaps (a channel
  // missing from a slot of the day).
  void fillEmptySlots() {
    for (std::size_t column = 1; column < table_.columnCount(); ++column) {
      for (int row = 1; row < rows(); ++row) {
        if (table_.isOccupied(column, row)) continue;
        table_.placeCell(column, row, table_.newCell(1));
      }
    }
  }

  // Gives every column the full row count without filling anything.
  void leaveGaps() {
    for (std::size_t column = 1; column < table_.columnCount(); ++column) {
      if (table_.rowCount(column) < static_cast<std::size_t>(rows())) {
        ProgrammeCell* filler = table_.newCell(1);
        table_.placeCell(column, rows() - 1, filler);
      }
    }
  }

  static std::string twoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
  }

 private:
  ProgrammeTable& table_;
  int rowsPerHour_;
};
