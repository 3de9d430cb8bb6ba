#include "net/failure_text.h"

#include "os/os.h"

std::string fileFailureText(const char* action, const std::string& path) {
  return std::string(action) + " " + path + ": " + os::lastErrorText();
}
