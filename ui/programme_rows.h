// ProgrammeRows: what the rows of the programme list are, told by the view
// that filled it (the day's cells, or the matches of the week): how a row
// looks, its detail text, and what Enter or a double-click on it does.
// The list asks the rows it was filled with, so a row's value is only ever
// read by the view that put it there.
#pragma once

#include <windows.h>

#include <string>

#include "ui/model/row_look.h"

class ProgrammeRows {
 public:
  virtual ~ProgrammeRows() = default;
  // False for no row.
  virtual bool rowLook(LPARAM item, bool selected, RowLook& look) const = 0;
  virtual bool rowDetail(LPARAM item, std::string& text) = 0;
  virtual void activateRow(LPARAM item) = 0;
};
