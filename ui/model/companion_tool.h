// CompanionTool: the command lines that start the companion recording tool
// "Denpoz.exe", which lies beside our executable when it is installed.
#pragma once

#include <string>

extern const char kCompanionFileName[];        // "Denpoz.exe"
extern const char kCompanionRemote[];          // "?REMOTE": its remote control
extern const char kCompanionReservationList[]; // "?RECLIST": its reservation list

// `moduleDirectory` ends in its separator.
std::string companionPath(const std::string& moduleDirectory);

// The path in double quotes, a space, then the arguments (which may be
// empty: the space stays).
std::string companionCommandLine(const std::string& path, const std::string& arguments);
