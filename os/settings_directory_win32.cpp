#include "os/settings_directory.h"

#include <windows.h>

#include "os/text.h"

namespace os {

std::string settingsDirectory() {
  // The system splits the path, so a trail byte 0x5C is never a separator.
  char full[MAX_PATH];
  char* name = nullptr;
  DWORD length = GetFullPathNameA(executablePath().c_str(), sizeof full, full, &name);
  if (length == 0 || length >= sizeof full || name == nullptr) return std::string();
  return std::string(full, name - full);
}

bool createSettingsDirectory() { return true; }  // the program's own folder

}  // namespace os
