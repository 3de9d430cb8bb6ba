// Text to standard output and standard error, the command line's one door
// to them for anything that may hold Japanese.
#pragma once

#include <string>

namespace os {

enum class StandardStream { Output, Error };

// Writes UTF-8 text. A Windows console gets it as wide characters, so it
// shows right whatever the console's code page (932, 437 or 65001); a file
// or a pipe, and every stream outside Windows, gets the UTF-8 bytes.
void writeStandard(StandardStream stream, const std::string& utf8);

}  // namespace os
