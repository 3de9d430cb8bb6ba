// Helpers for the programme tests: tables built from a compact description,
// and a comparison of two tables cell by cell.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programme/programme_table.h"

struct CellShape {
  int span;
  std::string timeText;
  std::string body;
  int number = 0;
  int background = 0xFFFFFF;
};

// Column 0 is the hour column; each column's first shape is its row-0 cell.
// Cells are placed one below the other; the key is set to `key`.
void fillTable(ProgrammeTable& table, const std::vector<std::vector<CellShape>>& columns, int key = 0);

// Same key, same grid shape, and walking every column the same cells
// (number, rowSpan, texts, colour, detailOffset) at the same rows.
::testing::AssertionResult sameTable(const ProgrammeTable& expected, const ProgrammeTable& actual);

// The table file bytes of `table` (asserts that writing succeeds).
std::string tableFileBytes(const ProgrammeTable& table);
