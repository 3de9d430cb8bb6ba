#include "bytes/local_file.h"

bool LocalFile::openForRead(const std::string& name) {
  close();
  handle_ = os::openFileForRead(name);
  return isOpen();
}

bool LocalFile::createForWrite(const std::string& name) {
  close();
  handle_ = os::createFileForWrite(name);
  return isOpen();
}

bool LocalFile::createPrivateForWrite(const std::string& name) {
  close();
  handle_ = os::createPrivateFileForWrite(name);
  return isOpen();
}

bool LocalFile::close() {
  if (!isOpen()) return true;
  bool closed = os::closeFile(handle_);
  handle_ = os::kNoFile;
  return closed;
}

int LocalFile::read(void* buffer, int size) {
  return isOpen() ? os::readFile(handle_, buffer, size) : -1;
}

int LocalFile::write(const void* data, int length) {
  return isOpen() ? os::writeFile(handle_, data, length) : -1;
}
