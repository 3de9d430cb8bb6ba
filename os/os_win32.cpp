// Win32 side of the OS layer: ANSI functions only.
#include "os/os.h"

#include <windows.h>

namespace os {

const char kPathSeparator = '\\';

namespace {
HANDLE toHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle fromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}
}  // namespace

namespace {
// A reader lets a writer move a new file over the one it reads (it goes on
// reading the old bytes), as on POSIX: otherwise a crawl replacing a slot
// fails while the window or a server reads it, or the reader while it is
// replaced. Writers beside it are still refused.
constexpr DWORD kReaderSharing = FILE_SHARE_READ | FILE_SHARE_DELETE;
}  // namespace

FileHandle openFileForRead(const std::string& path) {
  return fromHandle(CreateFileA(path.c_str(), GENERIC_READ, kReaderSharing, nullptr,
                                OPEN_EXISTING, 0, nullptr));
}

namespace {
constexpr DWORD kNotRegular =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
}  // namespace

FileHandle openRegularFileForRead(const std::string& path) {
  // The reparse point itself is opened, never what it points to.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, kReaderSharing, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  BY_HANDLE_FILE_INFORMATION info;
  // A second name would let a hard link serve any file the process can read.
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & kNotRegular) != 0 || info.nNumberOfLinks != 1) {
    CloseHandle(file);
    return kNoFile;
  }
  return fromHandle(file);
}

bool isRegularFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotRegular) == 0;
}

FileHandle createFileForWrite(const std::string& path) {
  // The reparse point itself is opened, so a link planted in the file's
  // place is refused rather than written through; then the file is cut.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      ((info.nFileSizeLow | info.nFileSizeHigh) != 0 && !SetEndOfFile(file))) {
    CloseHandle(file);
    SetLastError(ERROR_ACCESS_DENIED);
    return kNoFile;
  }
  return fromHandle(file);
}

FileHandle createPrivateFileForWrite(const std::string& path) { return createFileForWrite(path); }

bool closeFile(FileHandle file) { return CloseHandle(toHandle(file)) != 0; }

std::string lastErrorText() {
  char text[256];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      GetLastError(), 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

FileHandle standardInput() { return fromHandle(GetStdHandle(STD_INPUT_HANDLE)); }

int readFile(FileHandle file, void* buffer, int size) {
  DWORD done = 0;
  if (!ReadFile(toHandle(file), buffer, static_cast<DWORD>(size), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

int writeFile(FileHandle file, const void* data, int length) {
  DWORD done = 0;
  if (!WriteFile(toHandle(file), data, static_cast<DWORD>(length), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

int fileAttributes(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
  return static_cast<int>(attributes & 0x7fffffff);
}

bool createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

namespace {
// FILETIME counts 100 ns steps from 1601; Unix seconds count from 1970.
const std::int64_t kFileTimeOf1970 = 116444736000000000LL;
const std::int64_t kFileTimeStepsPerSecond = 10000000LL;

std::int64_t unixSecondsOf(const FILETIME& time) {
  std::int64_t steps = (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (steps - kFileTimeOf1970) / kFileTimeStepsPerSecond;
}
}  // namespace

std::int64_t fileModifiedTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return unixSecondsOf(data.ftLastWriteTime);
}

std::int64_t fileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool setFileModifiedTime(const std::string& path, std::int64_t seconds) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::int64_t steps = seconds * kFileTimeStepsPerSecond + kFileTimeOf1970;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(steps & 0xFFFFFFFF);
  time.dwHighDateTime = static_cast<DWORD>(steps >> 32);
  bool set = SetFileTime(file, nullptr, nullptr, &time) != 0;
  CloseHandle(file);
  return set;
}

std::int64_t currentUnixTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return unixSecondsOf(now);
}

std::string linkTarget(const std::string& path) { return path; }

namespace {
// ReplaceFileA (under wine at least) refuses a bare file name with "the
// directory name is invalid": `--ini Rokuban.ini` could never be saved.
std::string withFolder(const std::string& path) {
  return path.find_first_of("\\/:") == std::string::npos ? ".\\" + path : path;
}
}  // namespace

bool replaceKeepingAttributes(const std::string& from, const std::string& to) {
  if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES) return replaceFile(from, to);
  return ReplaceFileA(withFolder(to).c_str(), withFolder(from).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                      nullptr, nullptr) != 0;
}

std::vector<std::string> findFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

LocalTime localTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth, now.wDay,      now.wHour,
                   now.wMinute, now.wSecond, now.wDayOfWeek};
}

void sleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

std::uint64_t tickMilliseconds() { return GetTickCount64(); }

}  // namespace os
