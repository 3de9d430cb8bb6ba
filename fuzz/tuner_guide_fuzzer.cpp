// Fuzzes a tuner server's programmes on their way into the guide: the JSON
// read as /api/programs, each programme the import's guide takes, its slot
// pages read back by the page reader, and the extras written and read
// again for every slot.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/guide_slot_pages.h"
#include "job/silent_progress.h"
#include "listing/programme_extras.h"
#include "tuner/tuner_guide_reader.h"
#include "xmltv/xmltv_guide.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The seeds' days: 8 and 9 December 2026.
  static const int firstDay = dayNumber(2026, 12, 8);
  StringByteSource source(data, size);
  XmltvGuide guide(firstDay, firstDay + 1);
  SilentProgress progress;
  TunerGuideReader reader(guide, progress);
  if (reader.readProgrammes(source) < 0 && reader.error().empty()) std::abort();
  readEachSlotPage(guide, [&guide](int day, int hour, const ProgrammeTable& table) {
    std::vector<std::string> names;
    for (std::size_t column = 1; column < table.columnCount(); ++column) names.push_back(table.cellAt(column, 0)->body);
    const std::string text = guide.slotExtras(day, hour, names).text("s");
    ProgrammeExtras again;
    if (!again.addText(text, "s") || again.text("s") != text) std::abort();
  });
  return 0;
}
