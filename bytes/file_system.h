// FileSystem: the files the core keeps (the guide cache's pages, tables and
// side files) behind one object, passed down with the cache as its clock
// is, so that a test can hand in files that live in memory or fail on cue.
// Paths are byte strings in the ANSI code page, as os/ takes them. A crawl
// calls it from its worker and its job at once, as it would the disk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bytes/stream.h"

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // An existing file, shared with other readers; null when it cannot be
  // opened. The stream closes when it goes.
  virtual std::unique_ptr<Stream> openForRead(const std::string& path) = 0;
  // Created or truncated, held exclusively; null on failure. Only a close()
  // that returns true says every byte reached the file.
  virtual std::unique_ptr<Stream> createForWrite(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Moves `from` over `to`, replacing `to` when it exists.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  // Seconds since 1970-01-01 00:00 UTC; -1 when the file cannot be queried.
  virtual std::int64_t modifiedTime(const std::string& path) = 0;
  // Bytes in the file; -1 when it cannot be queried.
  virtual std::int64_t size(const std::string& path) = 0;
  virtual bool setModifiedTime(const std::string& path, std::int64_t seconds) = 0;
  // Names (without directory) of the files matching `pattern`, a path whose
  // last component may hold the wildcards '?' (one byte) and '*'.
  virtual std::vector<std::string> find(const std::string& pattern) = 0;
  // os::fileAttributes' bits (os::kAttributeDirectory); -1 when `path`
  // cannot be queried.
  virtual int attributes(const std::string& path) = 0;
  // True when the folder was made now; false when it exists or cannot be.
  virtual bool createDirectory(const std::string& path) = 0;

  bool exists(const std::string& path) { return attributes(path) != -1; }
  bool isDirectory(const std::string& path);
};

// The operating system's files, through os/. One stateless object for the
// process, as systemClock() is.
FileSystem& localFileSystem();
