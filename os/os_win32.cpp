// Win32 side of the OS layer: ANSI functions only.
#include "os/os.h"

#include <windows.h>

namespace os {

namespace {
HANDLE toHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle fromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}
}  // namespace

FileHandle openFileForRead(const std::string& path) {
  return fromHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
}

namespace {
constexpr DWORD kNotRegular =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
}  // namespace

FileHandle openRegularFileForRead(const std::string& path) {
  // The reparse point itself is opened, never what it points to.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & kNotRegular) != 0) {
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
  return fromHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr));
}

bool closeFile(FileHandle file) { return CloseHandle(toHandle(file)) != 0; }

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

bool isLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

LocalTime localTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth, now.wDay,      now.wHour,
                   now.wMinute, now.wSecond, now.wDayOfWeek};
}

void sleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

std::uint64_t tickMilliseconds() { return GetTickCount64(); }

}  // namespace os
