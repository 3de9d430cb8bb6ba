// Fuzzes the XMLTV reader and the conversion behind it. An accepted
// document must give slot pages that the guide page reader accepts, and
// the reader must never hold more than its bounds, whatever the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calendar/calendar.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/guide_slot_pages.h"
#include "xmltv/xmltv_guide.h"
#include "xmltv/xmltv_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The seeds' week: 7 to 13 December 2026.
  static const int firstDay = dayNumber(2026, 12, 7);
  StringByteSource source(data, size);
  XmltvGuide guide(firstDay, firstDay + 6);
  XmltvReader reader;
  const bool accepted = reader.read(source, guide);
  if (!accepted && reader.error().empty()) std::abort();
  if (!accepted) return 0;
  readEachSlotPage(guide, [](int, int, const ProgrammeTable& table) { fileOf(table); });
  return 0;
}
