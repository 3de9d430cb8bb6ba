// The one narrow door to the operating system: files, directory listing,
// attributes, local time, sleeping and the double-byte lead-byte test.
// Exactly one of os_win32.cpp (ANSI Win32 calls) and os_posix.cpp is built.
// Nothing above this layer includes <windows.h> or POSIX headers for these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "os/lead_byte.h"

namespace os {

// An open file; kNoFile while none is open.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

// Opens an existing file for reading; others may read it at the same time.
FileHandle openFileForRead(const std::string& path);
// Like openFileForRead, but only for a regular file of its own: never a
// directory, device or pipe, never through a symbolic link (on Windows, no
// reparse point). For files served to others.
FileHandle openRegularFileForRead(const std::string& path);
// True when `path` itself is such a regular file (a link to one is not).
bool isRegularFile(const std::string& path);
// Creates or truncates a file for writing, with no sharing.
FileHandle createFileForWrite(const std::string& path);
// The same for a file that may hold secrets: a new file is readable and
// writable by its owner only (mode 0600 on POSIX; Win32 has no such mode).
FileHandle createPrivateFileForWrite(const std::string& path);
bool closeFile(FileHandle file);
// The system's text for the last failed file or folder call of this
// thread ("Permission denied"), in code page 932.
std::string lastErrorText();
// The process's standard input, for reading with readFile; never closed.
FileHandle standardInput();
// Bytes read (0 at end of file), or -1 on failure.
int readFile(FileHandle file, void* buffer, int size);
// Bytes written, or -1 on failure.
int writeFile(FileHandle file, const void* data, int length);

// File attributes: -1 when the path cannot be queried.
constexpr int kAttributeDirectory = 0x10;
int fileAttributes(const std::string& path);

bool createDirectory(const std::string& path);
bool removeFile(const std::string& path);
// Moves `from` over `to`, replacing `to` when it exists.
bool replaceFile(const std::string& from, const std::string& to);
// The file that writing `path` must change: the final target when `path` is
// a symbolic link (followed through every link), otherwise `path` itself.
std::string linkTarget(const std::string& path);
// Puts the complete file `from` in the place of `to` and keeps what belongs
// to the old file: its permissions and owner on POSIX, its attributes and
// security on Win32 (ReplaceFileA). Without an old file, a plain move.
// `to` must not be a symbolic link (see linkTarget) and lie beside `from`.
bool replaceKeepingAttributes(const std::string& from, const std::string& to);

// The separator the system writes between a folder and a name: '/', or '\\' on Windows.
extern const char kPathSeparator;

// A file's last modification, in seconds since 1970-01-01 00:00 UTC; -1
// when the file cannot be queried.
std::int64_t fileModifiedTime(const std::string& path);
// Sets it; false when the file cannot be changed.
bool setFileModifiedTime(const std::string& path, std::int64_t seconds);
// Now, in the same seconds.
std::int64_t currentUnixTime();
// A file's size in bytes; -1 when the file cannot be queried.
std::int64_t fileSize(const std::string& path);

// Names (without directory) of the files matching `pattern`, a path whose
// last component may hold the wildcard '?' (one byte) and '*'.
std::vector<std::string> findFiles(const std::string& pattern);

struct LocalTime {
  int year, month, day, hour, minute, second;
  int dayOfWeek;  // 0 = Sunday
};
LocalTime localTime();

void sleepMilliseconds(int milliseconds);
// A steadily increasing millisecond counter, for intervals only.
std::uint64_t tickMilliseconds();

}  // namespace os
