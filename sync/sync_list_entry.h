// SyncListEntry: one table file as the sync server lists it, four bytes on
// the wire: tag, month, day, slot hour. The client gives the tag no meaning
// and sends it back unchanged when it asks for the file.
#pragma once

#include <string>

struct SyncListEntry {
  static constexpr int kSize = 4;

  unsigned char tag = 0;
  unsigned char month = 0;
  unsigned char day = 0;
  unsigned char hour = 0;

  static SyncListEntry fromBytes(const unsigned char* bytes);
  std::string bytes() const;

  int slotKey() const { return month * 10000 + day * 100 + hour; }
  // True when the entry names a real slot (month, a day of it, a slot hour):
  // only such entries ever become file names.
  bool namesRealSlot() const;
  // "%06dtb.tmp" of the slot key.
  std::string tableFileName() const;
  // "%02d/%02d %02d:00-", the progress label of a fetch.
  std::string label() const;
};
