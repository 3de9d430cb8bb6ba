#include "net/deferred_file.h"

bool DeferredFile::close() {
  if (!isBegun()) return true;
  const bool created = create();
  name_.clear();
  const bool closed = !file_ || file_->close();
  file_.reset();
  return closed && created;
}

void DeferredFile::abandon() {
  name_.clear();
  if (file_) file_->close();
  file_.reset();
}

int DeferredFile::write(const void* data, int length) {
  if (!isBegun() || !create()) return -1;
  return file_->write(data, length);
}
