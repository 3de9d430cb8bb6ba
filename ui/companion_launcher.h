// Starting the companion recording tool "Denpoz.exe" beside our executable:
// with a reservation, "?REMOTE", "?RECLIST" or no argument. The tool runs
// on its own; nobody waits for it and a failed start is silent.
#pragma once

#include <string>

// The tool's path: the module directory and "Denpoz.exe".
std::string companionExecutablePath();
// Whether the tool lies beside the executable (the menu offers it then).
bool companionInstalled();
// Starts the tool with `arguments` (may be empty).
void launchCompanion(const std::string& arguments);
