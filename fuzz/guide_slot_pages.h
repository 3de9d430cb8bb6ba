// What the fuzz targets of the import share: every slot page a guide gives
// must read back through the guide page reader.
#pragma once

#include <cstdlib>
#include <string>

#include "bytes/memory_bytes.h"
#include "calendar/calendar.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "xmltv/xmltv_guide.h"

// Reads each slot page of `guide` (a page the reader refuses is a finding)
// and hands its table to `take(day, slotHour, table)`.
template <typename Take>
void readEachSlotPage(XmltvGuide& guide, Take take) {
  for (int day : guide.days()) {
    for (int hour : kSlotHours) {
      const std::string bytes = guide.slotPage(day, hour).eucJp();
      StringByteSource page(bytes);
      ProgrammeTable table;
      if (!readPage(page, table)) std::abort();
      take(day, hour, table);
    }
  }
}
