// The folder of the command-line tool's settings file.
#pragma once

#include <string>

namespace os {

// Where the command-line tool looks for "Rokuban.ini" by default, with its
// separator: beside the executable on Windows, as the program keeps it;
// $XDG_CONFIG_HOME/rokuban/ (or ~/.config/rokuban/) elsewhere; not created,
// so that reading the settings leaves no trace.
std::string settingsDirectory();
// Creates settingsDirectory when missing, before the settings are saved
// there; false when it cannot be.
bool createSettingsDirectory();

}  // namespace os
