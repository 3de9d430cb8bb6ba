// The particulars of a local failure for the command line's error lines,
// e.g. "cannot write /srv/tv/120705tb.htm: Permission denied". Called right
// after the failed call, while the system still holds its reason.
#pragma once

#include <string>

// `action` is "cannot write", "cannot create folder", ...
std::string fileFailureText(const char* action, const std::string& path);
