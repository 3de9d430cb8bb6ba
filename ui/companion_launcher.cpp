// Starting the companion tool.
#include "ui/companion_launcher.h"

#include <windows.h>

#include <vector>

#include "bytes/paths.h"
#include "ui/model/companion_tool.h"

std::string CompanionLauncher::executablePath() const { return companionPath(moduleDirectory_); }

bool CompanionLauncher::installed() const { return isFile(executablePath()); }

void CompanionLauncher::launch(const std::string& arguments) const {
  const std::string commandLine = companionCommandLine(executablePath(), arguments);
  // CreateProcessA may write into the command line.
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
}
