// The tags the synced tables were fetched with.
#include "sync/sync_tag_memory.h"

#include <cstdio>
#include <memory>

#include "bytes/file_system.h"

namespace {

// Every real slot of a year fits many times over.
constexpr int kMaxFileBytes = 64 * 1024;

void readLines(const std::string& text, std::map<int, unsigned char>& tags) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    int key = 0;
    unsigned tag = 0;
    char tail = 0;
    const std::string line = text.substr(at, end - at);
    if (line.size() == 9 && std::sscanf(line.c_str(), "%6d %2x%c", &key, &tag, &tail) == 2) tags[key] = tag;
    at = end + 1;
  }
}

}  // namespace

SyncTagMemory::SyncTagMemory(FileSystem& files, std::string directory)
    : files_(files), directory_(std::move(directory)) {
  std::unique_ptr<Stream> file = files_.openForRead(path());
  if (!file) return;
  std::string text(kMaxFileBytes, '\0');
  const int length = file->read(&text[0], kMaxFileBytes);
  if (length <= 0 || length == kMaxFileBytes) return;
  text.resize(static_cast<std::size_t>(length));
  readLines(text, tags_);
}

bool SyncTagMemory::wantsAgain(const SyncListEntry& entry) {
  listed_.insert(entry.slotKey());
  const auto known = tags_.find(entry.slotKey());
  if (known != tags_.end()) return known->second != entry.tag;
  noteFetched(entry);
  return false;
}

void SyncTagMemory::noteFetched(const SyncListEntry& entry) {
  listed_.insert(entry.slotKey());
  const auto noted = tags_.emplace(entry.slotKey(), entry.tag);
  if (noted.second || noted.first->second != entry.tag) changed_ = true;
  noted.first->second = entry.tag;
}

bool SyncTagMemory::save() {
  std::string text;
  for (auto slot = tags_.begin(); slot != tags_.end();) {
    if (listed_.count(slot->first) == 0) {
      slot = tags_.erase(slot);
      changed_ = true;
      continue;
    }
    char line[16];
    std::snprintf(line, sizeof line, "%06d %02x\n", slot->first, slot->second);
    text += line;
    ++slot;
  }
  if (!changed_) return true;
  // Written beside and renamed over, so a killed run leaves the old file.
  const std::string partial = path() + ".new";
  std::unique_ptr<Stream> file = files_.createForWrite(partial);
  if (!file) return false;
  const int length = static_cast<int>(text.size());
  const bool written = file->write(text.data(), length) == length;
  if (file->close() && written && files_.replace(partial, path())) return true;
  files_.remove(partial);
  return false;
}
