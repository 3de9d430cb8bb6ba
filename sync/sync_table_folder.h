// SyncTableFolder: the sync server's view of a cache directory. It lists the
// table files ("%06dtb.tmp" of a valid slot) and reads one by its list
// entry. A file name is only ever built from a month, day and slot hour that
// passed validation, so no request can reach a file outside the folder or a
// file that is not a table.
#pragma once

#include <string>
#include <vector>

#include "sync/sync_list_entry.h"

class SyncTableFolder {
 public:
  // The tag byte this server puts in its list entries; a get request may
  // carry any tag.
  static constexpr unsigned char kTableTag = 0x74;  // 't'

  // `directory` ends with its separator.
  explicit SyncTableFolder(std::string directory) : directory_(std::move(directory)) {}
  const std::string& directory() const { return directory_; }

  // One entry per table file, in name order: regular files only, no link
  // followed. False when the folder is gone.
  bool list(std::vector<SyncListEntry>& entries) const;
  // The file's whole content. False when the entry names no valid slot, the
  // file is missing or unreadable, or it is too large for one reply.
  bool load(const SyncListEntry& entry, std::string& content) const;

 private:
  std::string directory_;
};

// Parses exactly six digits followed by "tb.tmp" into a valid slot entry.
bool parseTableFileName(const std::string& name, SyncListEntry& entry);
