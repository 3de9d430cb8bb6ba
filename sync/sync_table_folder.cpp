// Listing and reading the table files a sync server hands out.
#include "sync/sync_table_folder.h"

#include <algorithm>

#include "bytes/paths.h"
#include "guide/cache_file_name.h"
#include "os/os.h"

namespace {

int twoDigits(const std::string& text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::uint32_t syncContentVersion(const std::string& content) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char byte : content) hash = (hash ^ byte) * 16777619u;
  return hash;
}

bool parseTableFileName(const std::string& name, SyncListEntry& entry) {
  // The tail of the table pattern: "%06d" is four characters long.
  if (!isCacheFileName(name) || name.compare(6, std::string::npos, kTableFileNamePattern + 4) != 0) {
    return false;
  }
  entry.tag = SyncTableFolder::kTableTag;
  entry.month = static_cast<unsigned char>(twoDigits(name, 0));
  entry.day = static_cast<unsigned char>(twoDigits(name, 2));
  entry.hour = static_cast<unsigned char>(twoDigits(name, 4));
  return entry.namesRealSlot();
}

bool SyncTableFolder::list(std::vector<SyncListEntry>& entries) const {
  entries.clear();
  if (!isDirectory(directory_)) return false;
  std::vector<std::string> names = os::findFiles(directory_ + "??????tb.tmp");
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    SyncListEntry entry;
    if (!parseTableFileName(name, entry) || !os::isRegularFile(directory_ + name)) continue;
    // Read once more for its version: a table is small, and a time stamp
    // would change with a refresh that kept the content.
    std::string content;
    if (load(entry, content)) entry.tag = static_cast<unsigned char>(syncContentVersion(content) & 0xFF);
    entries.push_back(entry);
  }
  return true;
}

bool SyncTableFolder::load(const SyncListEntry& entry, std::string& content) const {
  content.clear();
  if (!entry.namesRealSlot()) return false;
  os::FileHandle file = os::openRegularFileForRead(directory_ + entry.tableFileName());
  if (file == os::kNoFile) return false;
  char buffer[8192];
  int got;
  while ((got = os::readFile(file, buffer, sizeof buffer)) > 0) {
    content.append(buffer, got);
    if (content.size() > kMaxTableBytes) break;
  }
  os::closeFile(file);
  return got == 0;
}
