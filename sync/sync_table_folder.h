// SyncTableFolder: the sync server's view of a cache directory. It lists the
// table files ("%06dtb.tmp" of a valid slot) and reads one by its list
// entry. A file name is only ever built from a month, day and slot hour that
// passed validation, so no request can reach a file outside the folder or a
// file that is not a table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sync/sync_list_entry.h"

// The version of a table's content: FNV-1a over its bytes. Its low byte is
// the tag of the table's list entry, so a client sees the file change.
std::uint32_t syncContentVersion(const std::string& content);

class SyncTableFolder {
 public:
  // The tag byte of a list entry this server could not read the file of;
  // a get request may carry any tag.
  static constexpr unsigned char kTableTag = 0x74;  // 't'
  // No table comes near this; a larger file is not served.
  static constexpr std::size_t kMaxTableBytes = 16 * 1024 * 1024;

  // `directory` ends with its separator.
  explicit SyncTableFolder(std::string directory) : directory_(std::move(directory)) {}
  const std::string& directory() const { return directory_; }

  // One entry per table file, in name order: regular files only, no link
  // followed; each tagged with its content's version. False when the
  // folder is gone.
  bool list(std::vector<SyncListEntry>& entries) const;
  // The file's whole content. False when the entry names no valid slot, the
  // file is missing or unreadable, or it is over kMaxTableBytes.
  bool load(const SyncListEntry& entry, std::string& content) const;

 private:
  std::string directory_;
};

// Parses exactly six digits followed by "tb.tmp" into a valid slot entry.
bool parseTableFileName(const std::string& name, SyncListEntry& entry);
