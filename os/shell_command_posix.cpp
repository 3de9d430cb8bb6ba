// The POSIX side of os/shell_command.h: posix_spawn of /bin/sh with an
// environment of its own, so that this process's environment never changes.
#include "os/shell_command.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "os/text.h"

extern char** environ;

namespace os {

namespace {

bool isReplaced(const char* entry, const EnvironmentVariables& variables) {
  for (const auto& variable : variables) {
    const std::string& name = variable.first;
    if (std::strncmp(entry, name.c_str(), name.size()) == 0 && entry[name.size()] == '=') return true;
  }
  return false;
}

std::vector<std::string> environmentWith(const EnvironmentVariables& variables) {
  std::vector<std::string> entries;
  for (char** entry = environ; entry && *entry; ++entry)
    if (!isReplaced(*entry, variables)) entries.push_back(*entry);
  for (const auto& variable : variables) entries.push_back(variable.first + "=" + variable.second);
  return entries;
}

}  // namespace

int runShellCommand(const std::string& command, const EnvironmentVariables& variables) {
  // The shell reads the terminal's encoding, not the program's.
  std::string script = cp932ToUtf8(command);
  std::vector<std::string> entries = environmentWith(variables);
  std::vector<char*> environment;
  for (std::string& entry : entries) environment.push_back(&entry[0]);
  environment.push_back(nullptr);
  char shell[] = "/bin/sh", dashC[] = "-c";
  char* arguments[] = {shell, dashC, &script[0], nullptr};
  pid_t child = 0;
  if (::posix_spawn(&child, shell, nullptr, nullptr, arguments, environment.data()) != 0) return -1;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace os
