// CompanionLauncher: starts the companion recording tool "Denpoz.exe"
// beside our executable: with a reservation, "?REMOTE", "?RECLIST" or no
// argument. The tool runs on its own; nobody waits for it and a failed
// start is silent.
#pragma once

#include <string>

class CompanionLauncher {
 public:
  // `moduleDirectory`: the folder of our executable, where the tool lies.
  explicit CompanionLauncher(std::string moduleDirectory) : moduleDirectory_(std::move(moduleDirectory)) {}

  // The tool's path: the module directory and "Denpoz.exe".
  std::string executablePath() const;
  // Whether the tool lies beside the executable (the menu offers it then).
  bool installed() const;
  // Starts the tool with `arguments` (may be empty).
  void launch(const std::string& arguments) const;

 private:
  std::string moduleDirectory_;
};
