// The hour list's rows: items, texts and colours.
#include "ui/model/hour_list_rows.h"

#include <cstdio>

namespace {
const char kPreviousDayText[] = "[\x81\xaa]";  // "[↑]"
const char kNextDayText[] = "[\x81\xab]";      // "[↓]"

// Morning yellow, day orange, evening blue, night deeper blue.
ColourRef hourBackground(int hour) {
  if (hour >= 5 && hour <= 11) return 0x99FFFF;
  if (hour >= 12 && hour <= 17) return 0x66CCFF;
  if (hour >= 18 && hour <= 23) return 0xFFCC99;
  if (hour >= 24 && hour <= 28) return 0xFF9966;
  return kWhite;
}
}  // namespace

std::vector<int> hourListItems() {
  std::vector<int> items;
  items.push_back(kPreviousDayRow);
  for (int hour = kFirstViewedHour; hour <= kLastViewedHour; ++hour) items.push_back(hour);
  items.push_back(kNextDayRow);
  return items;
}

int hourListRow(int hour) { return hour - (kFirstViewedHour - 1); }

std::string hourRowText(int value) {
  if (value == kPreviousDayRow) return kPreviousDayText;
  if (value == kNextDayRow) return kNextDayText;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:00", value);
  return text;
}

RowLook hourRowLook(int value, bool selected, const SystemColours& system) {
  RowLook look{hourRowText(value), kBlack, kWhite, false};
  if (value != kPreviousDayRow && value != kNextDayRow) look.background = hourBackground(value);
  if (selected) {
    look.textColour = system.highlightText;
    look.background = system.highlight;
  }
  return look;
}
