// Two crafted broadcast days (4 and 5 December 2003) for the export tests:
// programmes after midnight, at the 05:00 boundary, with end times in the
// title, marks, genres and texts that need escaping.
#pragma once

#include <string>

#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "listing/listing.h"
#include "programme/programme_table.h"
#include "tests/ui_model/day_table_builder.h"

inline const char* kWaveDash() { return "\x81\x60"; }

// Day one on CH8: 20:00 "Special〜9:30" (its end reads as the next morning),
// 21:00 news with marks and details, 24:30, and 28:00 whose title says it
// ends at 05:30, past the 05:00 start of day two.
inline Listing craftedListing(const SettingsStore& settings) {
  ChannelIds ids(settings);
  Listing listing;
  ProgrammeTable table;
  {
    DayTableBuilder day(table);
    const int column = day.channel("CH8");
    day.programme(column, 20, 0, 30, std::string("Special") + kWaveDash() + "9:30");
    day.programme(column, 21, 0, 60, "News & <Views> [\x8e\x9a][\x8d\xc4]\r\n\"Guest\"\r\nline\x01two", 0xCCFFCC);
    day.programme(column, 24, 30, 30, "Late \x81 movie", 0xFFCCCC);
    day.programme(column, 28, 0, 60, std::string("Close") + kWaveDash() + "5:30");
    day.fillEmptySlots();
    appendDayRecords(table, dayNumber(2003, 12, 4), ids, listing.programmes);
  }
  {
    DayTableBuilder day(table);
    const int column = day.channel("CH8");
    day.programme(column, 5, 0, 60, "Morning [\x93\xf1][\x8f\x49][\x90\x56]");
    day.fillEmptySlots();
    appendDayRecords(table, dayNumber(2003, 12, 5), ids, listing.programmes);
  }
  listing.channels.push_back({"CH8", ids.idFor("CH8")});
  finishRecords(listing.programmes, {"CH8"});
  return listing;
}
