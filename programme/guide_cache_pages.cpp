// GuideCache: reading cached pages into tables, the table files, and the
// assembly of a broadcast day from its six slots.
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "net/buffered_reader.h"
#include "net/buffered_sink.h"
#include "net/local_file.h"
#include "os/os.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

// Reads the open page file; on success the table gets `slotKey`.
bool readPageFile(LocalFile& file, int slotKey, ProgrammeTable& table) {
  // A page is some tens of KB: a few large reads rather than one per KB.
  const int kPageReadBlock = 64 * 1024;
  BufferedReader reader(file, kPageReadBlock);
  if (!readPage(reader, table)) return false;
  table.setTableKey(slotKey);
  return true;
}

}  // namespace

bool GuideCache::parseCachedPage(int slotKey, ProgrammeTable& table) {
  const std::string path = pageFileName(slotKey);
  LocalFile file;
  if (!file.openForRead(path)) return false;
  if (!readPageFile(file, slotKey, table)) return false;  // the page stays for another try
  saveTableFile(slotKey, table);
  file.close();
  if (settings().deleteHtml()) os::removeFile(path);
  return true;
}

bool GuideCache::parseDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table) {
  if (!readDownloadedPage(slotKey, pagePath, table)) return false;
  saveTableFile(slotKey, table);
  if (settings().deleteHtml()) os::removeFile(pagePath);
  return true;
}

bool GuideCache::readDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table) {
  bool read;
  {
    LocalFile file;
    read = file.openForRead(pagePath) && readPageFile(file, slotKey, table);
  }  // closed before it may be removed
  return settleDownloadedPage(slotKey, pagePath, read, table);
}

bool GuideCache::settleDownloadedPage(int slotKey, const std::string& pagePath, bool read,
                                      ProgrammeTable& table) {
  if (read) {
    table.setTableKey(slotKey);
  } else {
    // A fresh download that does not read is of no use: the next crawl
    // fetches it again.
    os::removeFile(pagePath);
  }
  return read;
}

bool GuideCache::loadTableFile(int slotKey, ProgrammeTable& table) {
  LocalFile file;
  if (!file.openForRead(tableFileName(slotKey))) return false;
  BufferedReader reader(file);
  return table.read(reader);
}

bool GuideCache::saveTableFile(int slotKey, const ProgrammeTable& table) {
  return writeTableFile(tableFileName(slotKey), table);
}

bool writeTableFile(const std::string& path, const ProgrammeTable& table) {
  LocalFile file;
  if (!file.createForWrite(path)) return false;
  bool written;
  {
    BufferedSink sink(file);
    // The last block is flushed here, not left to the destructor, so that
    // its failure counts.
    written = table.write(sink) && sink.flush();
  }
  written = file.close() && written;
  // A partial table file must not pass for a slot that is present.
  if (!written) os::removeFile(path);
  return written;
}

bool GuideCache::loadDay(const CalendarDate& date, ProgrammeTable& dayTable) {
  const int dayKey = dayTableKey(date);
  if (dayTable.tableKey() == dayKey) return true;
  dayTable.clear();
  bool complete = true;
  ProgrammeTable slot;  // one temporary for all six: each load clears it
  for (int hour : kSlotHours) {
    const int key = slotKey(date, hour);
    if (loadTableFile(key, slot) || parseCachedPage(key, slot)) {
      dayTable.appendTimeSlot(slot);
    } else {
      complete = false;  // the next call tries again
    }
  }
  if (complete) dayTable.setTableKey(dayKey);
  return true;
}
