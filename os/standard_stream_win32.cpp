#include "os/standard_stream.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace os {

namespace {

bool writeConsole(HANDLE console, const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (units <= 0) return utf8.empty();
  std::vector<wchar_t> wide(units);
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
  for (int done = 0; done < units;) {
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done, units - done, &written, nullptr) || written == 0)
      return false;
    done += static_cast<int>(written);
  }
  return true;
}

}  // namespace

void writeStandard(StandardStream stream, const std::string& utf8) {
  std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
  HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  // The C runtime would hand a console the UTF-8 bytes to read in its code
  // page; what it buffered goes first, so lines keep their order.
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(file);
    if (writeConsole(handle, utf8)) return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), file);
}

}  // namespace os
