// A stand-in for the companion recording tool: it only records how it was
// started. Each start appends its whole command line, byte for byte as the
// process got it, and a newline to "denpoz-calls.txt" beside the
// executable, so tests can check what Rokuban handed over.
#include <windows.h>

#include <string>

namespace {

// The executable's directory with its separator; the trail byte of a
// double-byte character is never taken for a separator.
std::string moduleDirectory() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::size_t end = 0;
  for (std::size_t i = 0; path[i] != '\0'; ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1] != '\0') {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/') {
      end = i + 1;
    }
  }
  return std::string(path, end);
}

bool appendLine(const std::string& file, const std::string& line) {
  HANDLE handle = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const std::string record = line + "\n";
  DWORD written = 0;
  const bool ok = WriteFile(handle, record.data(), static_cast<DWORD>(record.size()), &written,
                            nullptr) &&
                  written == record.size();
  CloseHandle(handle);
  return ok;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* commandLine = GetCommandLineA();
  return appendLine(moduleDirectory() + "denpoz-calls.txt", commandLine ? commandLine : "") ? 0 : 1;
}
