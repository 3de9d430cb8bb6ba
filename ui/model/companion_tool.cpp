// The companion tool's path and command lines.
#include "ui/model/companion_tool.h"

const char kCompanionFileName[] = "Denpoz.exe";
const char kCompanionRemote[] = "?REMOTE";
const char kCompanionReservationList[] = "?RECLIST";

std::string companionPath(const std::string& moduleDirectory) {
  return moduleDirectory + kCompanionFileName;
}

std::string companionCommandLine(const std::string& path, const std::string& arguments) {
  return "\"" + path + "\" " + arguments;
}
