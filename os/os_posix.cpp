// POSIX side of the OS layer, mirroring the Win32 contract.
#include "os/os.h"

#include "os/text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace os {

const char kPathSeparator = '/';

namespace {

std::string nativePath(const std::string& path);

// Emulates Win32 share modes with advisory locks: readers share, a writer
// holds the file exclusively, so both builds refuse the same openings.
FileHandle openLocked(const std::string& path, int flags, int lock, mode_t mode = 0644) {
  int fd = ::open(nativePath(path).c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) return kNoFile;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || ::flock(fd, lock | LOCK_NB) != 0) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

bool matchesWildcard(const char* pattern, const char* name) {
  for (; *pattern; ++pattern, ++name) {
    if (*pattern == '*') {
      for (const char* rest = name;; ++rest) {
        if (matchesWildcard(pattern + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name) return false;
    if (*pattern != '?' && *pattern != *name) return false;
  }
  return *name == '\0';
}

// Paths arrive in the Windows shape and in code page 932; a "\" that is
// not the trail byte of a double-byte character is a separator here too,
// and the file system takes the locale's bytes (UTF-8). This is the one
// place where a file name changes its encoding.
std::string nativePath(const std::string& path) {
  std::string native = path;
  for (std::size_t i = 0; i < native.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(native[i]))) ++i;
    else if (native[i] == '\\') native[i] = '/';
  }
  return cp932ToUtf8(native);
}

}  // namespace

FileHandle openFileForRead(const std::string& path) {
  return openLocked(path, O_RDONLY, LOCK_SH);
}

FileHandle openRegularFileForRead(const std::string& path) {
  // No following of the last link, and a pipe must not block the open.
  FileHandle fd = openLocked(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, LOCK_SH);
  struct stat info;
  // A second name would let a hard link serve any file the process can read.
  if (fd != kNoFile &&
      (::fstat(static_cast<int>(fd), &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1)) {
    ::close(static_cast<int>(fd));
    return kNoFile;
  }
  return fd;
}

bool isRegularFile(const std::string& path) {
  struct stat info;
  return !path.empty() && ::lstat(nativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {
FileHandle createTruncated(const std::string& path, mode_t mode) {
  // Lock before truncating so that a file held by a reader is left intact;
  // a link planted in the file's place is refused, never written through.
  FileHandle fd = openLocked(path, O_WRONLY | O_CREAT | O_NOFOLLOW, LOCK_EX, mode);
  struct stat info;
  // Only a regular file has a length to cut; a device is written as it is.
  // An empty file is left alone: cutting it to nothing would make the file
  // system write it out on close, as if an old content were being replaced.
  if (fd != kNoFile && ::fstat(static_cast<int>(fd), &info) == 0 && S_ISREG(info.st_mode) &&
      info.st_size > 0 && ::ftruncate(static_cast<int>(fd), 0) != 0) {
    ::close(static_cast<int>(fd));
    return kNoFile;
  }
  return fd;
}
}  // namespace

FileHandle createFileForWrite(const std::string& path) { return createTruncated(path, 0644); }

FileHandle createPrivateFileForWrite(const std::string& path) {
  return createTruncated(path, 0600);
}

bool closeFile(FileHandle file) { return ::close(static_cast<int>(file)) == 0; }

FileHandle standardInput() { return STDIN_FILENO; }

std::string lastErrorText() { return utf8ToCp932(std::strerror(errno)); }

int readFile(FileHandle file, void* buffer, int size) {
  ssize_t done;
  do {
    done = ::read(static_cast<int>(file), buffer, static_cast<size_t>(size));
  } while (done < 0 && errno == EINTR);
  return done < 0 ? -1 : static_cast<int>(done);
}

int writeFile(FileHandle file, const void* data, int length) {
  ssize_t done;
  do {
    done = ::write(static_cast<int>(file), data, static_cast<size_t>(length));
  } while (done < 0 && errno == EINTR);
  return done < 0 ? -1 : static_cast<int>(done);
}

int fileAttributes(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(nativePath(path).c_str(), &info) != 0) return -1;
  return S_ISDIR(info.st_mode) ? kAttributeDirectory : 0x80;
}

bool createDirectory(const std::string& path) { return ::mkdir(nativePath(path).c_str(), 0755) == 0; }

bool removeFile(const std::string& path) {
  struct stat info;
  std::string native = nativePath(path);
  if (::lstat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return ::unlink(native.c_str()) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
  return ::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0;
}

std::int64_t fileModifiedTime(const std::string& path) {
  struct stat info;
  if (::stat(nativePath(path).c_str(), &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_mtime);
}

std::int64_t fileSize(const std::string& path) {
  struct stat info;
  if (::stat(nativePath(path).c_str(), &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

bool setFileModifiedTime(const std::string& path, std::int64_t seconds) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // the access time stays
  times[1].tv_sec = static_cast<time_t>(seconds);
  times[1].tv_nsec = 0;
  return ::utimensat(AT_FDCWD, nativePath(path).c_str(), times, 0) == 0;
}

std::int64_t currentUnixTime() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::string linkTarget(const std::string& path) {
  std::string current = nativePath(path);
  // A loop of links ends the walk; writing then fails where the rename does.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return utf8ToCp932(current);
    std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1);
    ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return utf8ToCp932(current);
    std::string next(target.data(), static_cast<std::size_t>(length));
    std::string::size_type slash = current.find_last_of('/');
    if (next.empty()) return utf8ToCp932(current);
    if (next[0] != '/' && slash != std::string::npos) next = current.substr(0, slash + 1) + next;
    current = next;
  }
  return utf8ToCp932(current);
}

bool replaceKeepingAttributes(const std::string& from, const std::string& to) {
  std::string nativeFrom = nativePath(from), nativeTo = nativePath(to);
  struct stat old;
  if (::stat(nativeTo.c_str(), &old) == 0) {
    if (::chmod(nativeFrom.c_str(), old.st_mode & 07777) != 0) return false;
    // Only the superuser may give a file away; an ordinary user's old file
    // is already theirs.
    if (::chown(nativeFrom.c_str(), old.st_uid, old.st_gid) != 0 && old.st_uid != ::getuid()) {
      return false;
    }
  }
  return ::rename(nativeFrom.c_str(), nativeTo.c_str()) == 0;
}

std::vector<std::string> findFiles(const std::string& pattern) {
  std::vector<std::string> names;
  std::string native = nativePath(pattern);
  std::string::size_type slash = native.find_last_of('/');
  std::string directory = slash == std::string::npos ? "." : native.substr(0, slash + 1);
  const std::string wildcard = utf8ToCp932(slash == std::string::npos ? native : native.substr(slash + 1));
  DIR* listing = ::opendir(directory.c_str());
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = utf8ToCp932(entry->d_name);
    if (matchesWildcard(wildcard.c_str(), name.c_str())) names.push_back(name);
  }
  ::closedir(listing);
  return names;
}

LocalTime localTime() {
  std::time_t now = std::time(nullptr);
  std::tm parts;
  ::localtime_r(&now, &parts);
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                   parts.tm_min,        parts.tm_sec,     parts.tm_wday};
}

void sleepMilliseconds(int milliseconds) {
  struct timespec wait = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

std::uint64_t tickMilliseconds() {
  struct timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u + now.tv_nsec / 1000000;
}

}  // namespace os
