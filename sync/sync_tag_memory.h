// SyncTagMemory: the list entry tag each synced table was fetched with, in
// one small file beside the tables ("synctags" in the cache directory, a
// line "MMDDHH TT" a slot, the tag in hex). A server that puts a version of
// the content in its tags thereby tells the client which of its tables
// changed; one whose tags never change never has a table fetched again.
//
// Calling protocol: construct (reads the file), ask and note for each
// listed entry, then save.
#pragma once

#include <map>
#include <set>
#include <string>

#include "sync/sync_list_entry.h"

class FileSystem;

class SyncTagMemory {
 public:
  static constexpr char kFileName[] = "synctags";

  // `directory` on `files` (which must outlive this) ends with its
  // separator. A missing or damaged file remembers nothing.
  SyncTagMemory(FileSystem& files, std::string directory);

  // True when a table the cache holds was fetched with another tag than
  // `entry` has now. A table with no tag remembered (crawled here, or
  // synced before tags were kept) takes the listed one as its own, so it
  // is fetched only when the server's tag moves on.
  bool wantsAgain(const SyncListEntry& entry);
  // The table of `entry` was fetched with its tag.
  void noteFetched(const SyncListEntry& entry);
  // Forgets every slot the last list did not name, then writes the file
  // when anything changed. False when it could not be written.
  bool save();

 private:
  std::string path() const { return directory_ + kFileName; }

  FileSystem& files_;
  std::string directory_;
  std::map<int, unsigned char> tags_;  // by slot key
  std::set<int> listed_;
  bool changed_ = false;
};
