#include "os/file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace os {

bool FileLock::acquire(const std::string& path) {
  release();
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  // Another user's lock file (left by a run under sudo) still locks when
  // it can be read: flock wants no write access.
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
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
