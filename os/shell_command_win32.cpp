// The Win32 side of os/shell_command.h: %COMSPEC% /c through CreateProcessA,
// with a Unicode environment block so that the UTF-8 values arrive whole
// whatever the ANSI code page.
#include "os/shell_command.h"

#include <windows.h>

#include <cwchar>

namespace os {

namespace {

std::wstring wideOf(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], size);
  return wide;
}

// Names are compared without case, as the system does.
bool isReplaced(const wchar_t* entry, const std::vector<std::wstring>& names) {
  for (const std::wstring& name : names)
    if (_wcsnicmp(entry, name.c_str(), name.size()) == 0 && entry[name.size()] == L'=') return true;
  return false;
}

std::wstring environmentBlockWith(const EnvironmentVariables& variables) {
  std::vector<std::wstring> names;
  for (const auto& variable : variables) names.push_back(wideOf(variable.first));
  std::wstring block;
  wchar_t* current = GetEnvironmentStringsW();
  for (const wchar_t* entry = current; entry && *entry; entry += std::wcslen(entry) + 1) {
    if (!isReplaced(entry, names)) block.append(entry).push_back(L'\0');
  }
  if (current) FreeEnvironmentStringsW(current);
  for (const auto& variable : variables) block.append(wideOf(variable.first + "=" + variable.second)).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

}  // namespace

int runShellCommand(const std::string& command, const EnvironmentVariables& variables) {
  char shell[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("COMSPEC", shell, sizeof shell);
  std::string line = length > 0 && length < sizeof shell ? std::string("\"") + shell + "\"" : "cmd.exe";
  line += " /c " + command;
  std::wstring environment = environmentBlockWith(variables);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, &environment[0],
                      nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const BOOL known = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return known ? static_cast<int>(status) : -1;
}

}  // namespace os
