// The port option of the server verbs.
#include <cstdlib>

#include "cli/cli.h"

bool parsePort(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  port = std::atoi(text.c_str());
  return port <= 65535;
}
