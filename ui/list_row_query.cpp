// Test hook: a list row as it is drawn, written for a reader outside.
#include "ui/list_row_query.h"

#include <cstdio>

#include "ui/hour_list.h"
#include "ui/list_row_painter.h"
#include "ui/model/hour_list_rows.h"
#include "ui/model/programme_view.h"
#include "ui/programme_list.h"

namespace {

bool lookOf(int list, int row, RowLook& look) {
  ListWindow& window = list == 0 ? hourList() : programmeList();
  if (row < 0 || row >= window.count()) return false;
  const LPARAM item = window.itemAt(row);
  const bool selected = row == window.selected();
  if (list == 0) {
    look = hourRowLook(static_cast<int>(item), selected, systemColours());
    return true;
  }
  const ProgrammeCell* cell = reinterpret_cast<const ProgrammeCell*>(item);
  if (!cell) return false;
  look = programmeRowLook(*cell, selected, systemColours());
  return true;
}

}  // namespace

LRESULT describeListRow(WPARAM rowAndList, LPARAM buffer) {
  RowLook look;
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || !lookOf(HIWORD(rowAndList), LOWORD(rowAndList), look)) return -1;
  std::snprintf(out, kRowDescriptionSize, "%06X %06X %s", static_cast<unsigned>(look.background),
                static_cast<unsigned>(look.textColour), look.text.c_str());
  return static_cast<LRESULT>(look.text.size());
}
