// The demo guide's programme pages: a made-up but plausible week of
// television, the same every time for the same slot and table.
#pragma once

#include <string>

struct DemoSlot {
  int year, month, day;  // the broadcast date
  int hour;              // slot start hour: 5, 9, 13, 17, 21 or 25
  std::string table;     // prefecture key, or "_" for the personal table
  int page;              // personal-table page, 1..9; 1 for a prefecture
};

// The page of `slot`, EUC-JP, in the shape the guide service uses; with
// `markupTitle`, one programme a day has kMarkupTitle as its title.
std::string demoPage(const DemoSlot& slot, bool markupTitle = false);

// A title (UTF-8) that a page writing it unescaped would run as script.
extern const char kMarkupTitle[];
