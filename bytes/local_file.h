// LocalFile: the program's one file class. Failures are results only.
#pragma once

#include <string>

#include "bytes/stream.h"
#include "os/os.h"

class LocalFile : public Stream {
 public:
  LocalFile() = default;
  ~LocalFile() override { close(); }
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;

  // An existing file, shared with other readers.
  bool openForRead(const std::string& name);
  // Created or truncated, held exclusively.
  bool createForWrite(const std::string& name);
  // Created or truncated, held exclusively; a new file is its owner's only.
  bool createPrivateForWrite(const std::string& name);
  bool isOpen() const { return handle_ != os::kNoFile; }

  bool close() override;
  int read(void* buffer, int size) override;
  int write(const void* data, int length) override;

 private:
  os::FileHandle handle_ = os::kNoFile;
};
