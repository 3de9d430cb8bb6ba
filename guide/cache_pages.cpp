// GuideCache: a slot's page and table files (the reading and writing is
// programme/'s), and the assembly of a broadcast day from its six slots.
#include <utility>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "programme/page_files.h"
#include "programme/programme_table.h"

bool GuideCache::parseCachedPage(int slotKey, ProgrammeTable& table) {
  return parseCachedPageFile(files(), pageFileName(slotKey), tableFileName(slotKey), slotKey, settings().deleteHtml(),
                             table);
}

bool GuideCache::parseDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table) {
  return parseDownloadedPageFile(files(), pagePath, tableFileName(slotKey), slotKey, settings().deleteHtml(),
                                 table);
}

bool GuideCache::readDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table) {
  return readDownloadedPageFile(files(), pagePath, slotKey, table);
}

bool GuideCache::settleDownloadedPage(int slotKey, const std::string& pagePath, bool read,
                                      ProgrammeTable& table) {
  return settleDownloadedPageFile(files(), pagePath, slotKey, read, table);
}

bool GuideCache::loadTableFile(int slotKey, ProgrammeTable& table) {
  return readTableFile(files(), tableFileName(slotKey), table);
}

bool GuideCache::saveTableFile(int slotKey, const ProgrammeTable& table) {
  return writeTableFile(files(), tableFileName(slotKey), table);
}

bool GuideCache::loadDay(const CalendarDate& date, ProgrammeTable& dayTable) {
  ProgrammeTable slot;  // one temporary for all six: each load clears it
  return loadDay(date, dayTable, slot);
}

bool GuideCache::loadDay(const CalendarDate& date, ProgrammeTable& dayTable, ProgrammeTable& slot) {
  const int dayKey = dayTableKey(date);
  if (dayTable.tableKey() == dayKey) return true;
  dayTable.clear();
  bool complete = true;
  for (int hour : kSlotHours) {
    const int key = slotKey(date, hour);
    if (loadTableFile(key, slot) || parseCachedPage(key, slot)) {
      dayTable.appendTimeSlot(std::move(slot));
    } else {
      complete = false;  // the next call tries again
    }
  }
  if (complete) dayTable.setTableKey(dayKey);
  return true;
}
