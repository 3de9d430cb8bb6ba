// Hour list rows: the rows of the hour list beside the programme list. A row
// that moves one day back, the hours of a broadcast day (05:00 to 28:00)
// and a row that moves one day forward; what each row says and how it is
// coloured.
#pragma once

#include <string>
#include <vector>

#include "ui/model/row_look.h"

// Item values of the two day rows; every other item value is an hour.
constexpr int kPreviousDayRow = 1000;
constexpr int kNextDayRow = 1002;
constexpr int kFirstViewedHour = 5;
constexpr int kLastViewedHour = 28;

// 1000, 5, 6, ..., 28, 1002: 26 rows.
std::vector<int> hourListItems();
// The row that shows `hour` (5..28): row 0 is the previous-day row.
int hourListRow(int hour);

// "[↑]", "[↓]", or "%02d:00" of the hour.
std::string hourRowText(int value);
// Text and background of a row; the selected row takes the system
// highlight colours instead.
RowLook hourRowLook(int value, bool selected, const SystemColours& system);
