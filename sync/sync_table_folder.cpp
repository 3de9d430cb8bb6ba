// Listing and reading the table files a sync server hands out.
#include "sync/sync_table_folder.h"

#include <algorithm>

#include "guide/calendar.h"
#include "net/local_file.h"
#include "net/paths.h"
#include "os/os.h"
#include "sync/sync_frame.h"

namespace {

int twoDigits(const std::string& text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

bool isValidSlot(const SyncListEntry& entry) {
  bool slotHour = std::find(std::begin(kSlotHours), std::end(kSlotHours), entry.hour) !=
                  std::end(kSlotHours);
  return entry.month >= 1 && entry.month <= 12 && entry.day >= 1 && entry.day <= 31 && slotHour;
}

bool parseTableFileName(const std::string& name, SyncListEntry& entry) {
  static const std::string kSuffix = "tb.tmp";
  if (name.size() != 6 + kSuffix.size() || name.compare(6, kSuffix.size(), kSuffix) != 0) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  entry.tag = SyncTableFolder::kTableTag;
  entry.month = static_cast<unsigned char>(twoDigits(name, 0));
  entry.day = static_cast<unsigned char>(twoDigits(name, 2));
  entry.hour = static_cast<unsigned char>(twoDigits(name, 4));
  return isValidSlot(entry);
}

bool SyncTableFolder::list(std::vector<SyncListEntry>& entries) const {
  entries.clear();
  if (!isDirectory(directory_)) return false;
  std::vector<std::string> names = os::findFiles(directory_ + "??????tb.tmp");
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    SyncListEntry entry;
    if (parseTableFileName(name, entry) && isFile(directory_ + name)) entries.push_back(entry);
  }
  return true;
}

bool SyncTableFolder::load(const SyncListEntry& entry, std::string& content) const {
  content.clear();
  if (!isValidSlot(entry)) return false;
  const std::string path = directory_ + entry.tableFileName();
  LocalFile file;
  if (!isFile(path) || !file.openForRead(path)) return false;
  char buffer[8192];
  for (int got; (got = file.read(buffer, sizeof buffer)) != 0;) {
    if (got < 0) return false;
    content.append(buffer, got);
    if (content.size() > static_cast<std::size_t>(kSyncMaxFrameData)) return false;
  }
  return true;
}
