// DeferredFile: a file to be written that is created by its first write,
// or by close when nothing was written. A download can so take in a whole
// page before it touches the disk, while the page is read meanwhile.
#pragma once

#include <memory>
#include <string>

#include "bytes/file_system.h"

class DeferredFile : public Stream {
 public:
  // Its file is made on `files`, which must outlive it.
  explicit DeferredFile(FileSystem& files) : files_(files) {}

  // From now on the file is `name`; nothing is created yet.
  void begin(const std::string& name) { name_ = name; }
  // Whether a file was begun and is neither closed nor abandoned.
  bool isBegun() const { return !name_.empty(); }

  // Creates the file if nothing made it yet, then closes it. False when it
  // could not be created or closed.
  bool close() override;
  // Closes without creating; later writes fail.
  void abandon();
  int read(void*, int) override { return -1; }
  int write(const void* data, int length) override;

 private:
  bool create() {
    if (!file_) file_ = files_.createForWrite(name_);
    return file_ != nullptr;
  }

  FileSystem& files_;
  std::string name_;
  std::unique_ptr<Stream> file_;
};
