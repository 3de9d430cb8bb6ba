// The wire form, file name and label of a sync list entry.
#include "sync/sync_list_entry.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "guide/cache_file_name.h"

SyncListEntry SyncListEntry::fromBytes(const unsigned char* bytes) {
  SyncListEntry entry;
  entry.tag = bytes[0];
  entry.month = bytes[1];
  entry.day = bytes[2];
  entry.hour = bytes[3];
  return entry;
}

std::string SyncListEntry::bytes() const {
  std::string wire(kSize, '\0');
  wire[0] = static_cast<char>(tag);
  wire[1] = static_cast<char>(month);
  wire[2] = static_cast<char>(day);
  wire[3] = static_cast<char>(hour);
  return wire;
}

bool SyncListEntry::namesRealSlot() const { return isRealSlot(month, day, hour); }

std::string SyncListEntry::tableFileName() const { return cacheFileName(kTableFileNamePattern, slotKey()); }

std::string SyncListEntry::label() const {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d %02d:00-", month, day, hour);
  return text;
}
