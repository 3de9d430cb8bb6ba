// A day's records take each cell's times from the position the walk down
// its column knows; they are the times the table's own look-up gives, on a
// regular day and where an empty cell's span reaches past its rows.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "listing/programme_time.h"
#include "tests/ui_model/day_table_builder.h"

namespace {

TEST(DayWalk, RecordsHaveTheTimesOfTheLookedUpCell) {
  ProgrammeTable table;
  DayTableBuilder day(table);
  const int regular = day.channel("CH1");
  day.programme(regular, 5, 0, 60, "Morning");
  day.programme(regular, 23, 0, 120, "Late");
  day.programme(regular, 25, 0, 60, "After midnight")->timeText = "01:00";
  const int uneven = day.channel("CH2");
  // An empty cell claiming eight rows but placed in two: the look-up's walk
  // steps past the programmes below it, the records' walk does not.
  ProgrammeCell* gap = table.newCell(8);
  table.placeCell(uneven, day.rowOf(5, 0), gap);
  table.placeCell(uneven, day.rowOf(5, 15), gap);
  day.programme(uneven, 5, 30, 30, "Under the gap");
  day.programme(uneven, 6, 0, 60, "Past the gap");
  day.fillEmptySlots();

  SettingsStore settings;
  ChannelIds ids(settings);
  std::vector<ProgrammeRecord> records;
  const int broadcastDay = dayNumber(2026, 12, 11);
  appendDayRecords(table, broadcastDay, ids, records);

  std::size_t at = 0;
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    for (std::size_t row = 1; row < table.rowCount(0);) {
      const ProgrammeCell* cell = table.cellAt(column, row);
      row += cell && !cell->body.empty() ? rowsSteppedOver(cell) : 1;
      if (!cell || cell->body.empty()) continue;
      ASSERT_LT(at, records.size());
      const ProgrammeRecord& record = records[at++];
      EXPECT_EQ(guideMinute(broadcastDay, programmeStartMinutes(table, *cell)), record.start) << cell->body;
      int stop = broadcastMinutes(programmeEndTime(table, *cell));
      if (stop < record.start - guideMinute(broadcastDay, 0)) stop += 24 * 60;
      EXPECT_EQ(guideMinute(broadcastDay, stop), record.stop) << cell->body;
    }
  }
  EXPECT_EQ(5u, at);
  EXPECT_EQ(records.size(), at);
}

}  // namespace
