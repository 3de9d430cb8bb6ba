// FileLock: an exclusive lock between processes on a small lock file beside
// what it guards (created when missing and never deleted, so that no process
// waits on a name another is about to remove). POSIX: flock; Win32:
// LockFileEx. Exactly one of file_lock_posix.cpp and file_lock_win32.cpp is
// built.
//
// Calling protocol: acquire blocks until the lock is granted (false when
// the lock file cannot be opened, os::lastErrorText says why: a directory,
// a dangling link, no access); a lock file that can only be read locks as
// well. Release, or destruction, gives it back.
// Two FileLocks of one process on one path exclude each other as two
// processes do, so a holder must not acquire again.
#pragma once

#include <cstdint>
#include <string>

namespace os {

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool acquire(const std::string& path);
  void release();
  bool held() const { return handle_ != -1; }

 private:
  std::intptr_t handle_ = -1;
};

// A number no other running process has: for names of temporary files.
int currentProcessId();

}  // namespace os
