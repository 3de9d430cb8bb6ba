// MemoryFileSystem: the FileSystem of tests. Files live in a map and are
// stamped with the clock's time when written; the next create or replace
// can be made to fail, as a full disk or a file held by another would.
// Folders must be made before files go in them, as on a real disk.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "bytes/file_system.h"

class Clock;

class MemoryFileSystem : public FileSystem {
 public:
  // `clock` gives the times of written files and must outlive this.
  explicit MemoryFileSystem(Clock& clock) : clock_(clock) {}

  std::unique_ptr<Stream> openForRead(const std::string& path) override;
  std::unique_ptr<Stream> createForWrite(const std::string& path) override;
  bool remove(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  std::int64_t modifiedTime(const std::string& path) override;
  std::int64_t size(const std::string& path) override;
  bool setModifiedTime(const std::string& path, std::int64_t seconds) override;
  std::vector<std::string> find(const std::string& pattern) override;
  int attributes(const std::string& path) override;
  bool createDirectory(const std::string& path) override;

  // Writes a whole file now; false where createForWrite would fail.
  bool put(const std::string& path, const std::string& bytes);
  // A file's bytes; empty when there is none.
  std::string bytesOf(const std::string& path) const;
  // Every file's path, in byte order.
  std::vector<std::string> paths() const;
  void failNextCreate();
  void failNextReplace();

 private:
  friend class MemoryWriteStream;
  struct File {
    std::string bytes;
    std::int64_t modified = 0;
  };
  bool parentExists(const std::string& path) const;

  Clock& clock_;
  // A crawl writes tables on its worker while its job writes pages; the
  // calls of one reach the others' through each other.
  mutable std::recursive_mutex mutex_;
  std::map<std::string, File> files_;
  std::set<std::string> directories_;  // without their trailing separators
  bool failCreate_ = false;
  bool failReplace_ = false;
};
