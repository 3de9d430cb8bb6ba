// A table as JSON, in UTF-8.
#include "cli/table_json.h"

#include <cstdio>

#include "listing/export_text.h"
#include "programme/programme_table.h"

namespace {

void appendCell(std::string& json, const ProgrammeCell& cell, std::size_t row) {
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, "{\"row\": %d, \"span\": %d, \"number\": %d, \"time\": ",
                static_cast<int>(row), cell.rowSpan, cell.number);
  json += numbers;
  appendJsonString(json, cell.timeText);
  json += ", \"body\": ";
  appendJsonString(json, cell.body);
  char colour[24];
  std::snprintf(colour, sizeof colour, ", \"bg\": \"%06x\"}", cell.background & 0xFFFFFF);
  json += colour;
}

}  // namespace

// The whole table: each column walked from row 0, a cell listed at its
// first row and stepped over, an empty position stepped by one.
std::string tableJson(const ProgrammeTable& table) {
  std::string json = "{\"key\": " + std::to_string(table.tableKey()) + ", \"columns\": [";
  for (std::size_t column = 0; column < table.columnCount(); ++column) {
    if (column > 0) json += ", ";
    json += "{\"rows\": " + std::to_string(table.rowCount(column)) + ", \"cells\": [";
    bool first = true;
    for (std::size_t row = 0; row < table.rowCount(column);) {
      const ProgrammeCell* cell = table.cellAt(column, row);
      if (!cell) {
        ++row;
        continue;
      }
      if (!first) json += ", ";
      first = false;
      appendCell(json, *cell, row);
      row += cell->rowSpan > 1 ? cell->rowSpan : 1;
    }
    json += "]}";
  }
  return json + "]}\n";
}
