#include "os/file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace os {

bool FileLock::acquire(const std::string& path) {
  release();
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  int locked;
  while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void FileLock::release() {
  if (handle_ == -1) return;
  ::close(static_cast<int>(handle_));  // closing drops the flock
  handle_ = -1;
}

int currentProcessId() { return static_cast<int>(::getpid()); }

}  // namespace os
