// The port option of the server verbs.
#include <cstdlib>

#include "cli/cli.h"
#include "cli/server_options.h"

constexpr CliOption kPortOption{"--port", OptionKind::Number, "the port (0: any free one)"};

bool parsePort(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  port = std::atoi(text.c_str());
  return port <= 65535;
}
