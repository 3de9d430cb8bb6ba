// Running a command line of the user's through the system's shell, with a
// few variables added to its environment: the hooks of the command-line
// tool (watch check --exec). Exactly one of shell_command_posix.cpp
// (/bin/sh -c) and shell_command_win32.cpp (%COMSPEC% /c) is built.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace os {

// Name and value, UTF-8; a name the environment already holds is replaced.
using EnvironmentVariables = std::vector<std::pair<std::string, std::string>>;

// Runs `command` (code page 932), its standard streams those of this
// process, and waits for it to end. Its exit status (128 + the signal's
// number when a signal ended it), or -1 when it could not be started.
int runShellCommand(const std::string& command, const EnvironmentVariables& variables);

}  // namespace os
