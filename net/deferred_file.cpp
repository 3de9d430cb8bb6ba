#include "net/deferred_file.h"

bool DeferredFile::close() {
  if (!isBegun()) return true;
  const bool created = create();
  name_.clear();
  return file_.close() && created;
}

void DeferredFile::abandon() {
  name_.clear();
  file_.close();
}

int DeferredFile::write(const void* data, int length) {
  if (!isBegun() || !create()) return -1;
  return file_.write(data, length);
}
