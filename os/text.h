// Text conversion at the edges of the program (the command-line tool's
// output and arguments). Everything inside stays Shift-JIS bytes.
#pragma once

#include <string>

namespace os {

// Code page 932 to UTF-8; a byte that does not begin a valid character
// becomes U+FFFD.
std::string cp932ToUtf8(const std::string& text);
// UTF-8 to code page 932; characters without a Shift-JIS form become "?".
std::string utf8ToCp932(const std::string& text);
// One Unicode character in code page 932; empty when the code page has no
// form for it (so callers choose their own stand-in).
std::string codePointToCp932(unsigned codePoint);

// A command-line argument as code page 932 (POSIX terminals speak UTF-8;
// Windows hands arguments over in the ANSI code page already).
std::string argumentToCp932(const std::string& argument);
// Where the command-line tool looks for "Rokuban.ini" by default, with its
// separator: beside the executable on Windows, as the program keeps it;
// $XDG_CONFIG_HOME/rokuban/ (or ~/.config/rokuban/) elsewhere; not created,
// so that reading the settings leaves no trace.
std::string settingsDirectory();
// Creates settingsDirectory when missing, before the settings are saved
// there; false when it cannot be.
bool createSettingsDirectory();

// The full path of the running executable.
std::string executablePath();
// The value of an environment variable, empty when unset.
std::string environmentVariable(const char* name);
// True when the standard error stream is a terminal.
bool stderrIsTerminal();
// True when the user's language is Japanese (LC_ALL, LC_MESSAGES or LANG
// on POSIX; the user interface language on Windows).
bool localeIsJapanese();

}  // namespace os
