// WatchSettingsFollower: the watch list of a program that runs long, kept
// in step with its settings file, which the command line changes meanwhile
// (watch add, watch remove, watch check). Before each use of the list the
// file's time and size are compared with the last look; when either
// differs, the watch sections are read again, the program's own unsaved
// changes there kept (SettingsStore::takeOverSections).
#pragma once

#include <cstdint>

class SettingsStore;

struct FileStamp {
  std::int64_t modified = -1;  // seconds, as os::fileModifiedTime
  std::int64_t size = -1;
  bool operator==(const FileStamp& other) const { return modified == other.modified && size == other.size; }
};

class WatchSettingsFollower {
 public:
  // True when the sections were read again. The first call reads them.
  bool follow(SettingsStore& settings);

 private:
  FileStamp lastLook_;
  bool looked_ = false;
};
