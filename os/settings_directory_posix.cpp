#include "os/settings_directory.h"

#include "os/os.h"
#include "os/text.h"

namespace os {

std::string settingsDirectory() {
  // Paths inside the program are in code page 932, the environment's in UTF-8.
  std::string base = utf8ToCp932(environmentVariable("XDG_CONFIG_HOME"));
  if (base.empty()) {
    base = utf8ToCp932(environmentVariable("HOME")) + "/.config";
  }
  return base + "/rokuban/";
}

bool createSettingsDirectory() {
  if (environmentVariable("XDG_CONFIG_HOME").empty()) {
    createDirectory(utf8ToCp932(environmentVariable("HOME")) + "/.config");
  }
  createDirectory(settingsDirectory());
  return fileAttributes(settingsDirectory()) != -1;
}

}  // namespace os
