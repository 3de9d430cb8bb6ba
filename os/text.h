// Text conversion at the edges of the program (the command-line tool's
// output and arguments). Everything inside stays Shift-JIS bytes.
#pragma once

#include <string>

namespace os {

// Both sides agree on every character (tests/os runs in both builds): code
// page 932 with the NEC and IBM extensions (髙, 﨑, ①, ㈱, Ⅲ), and the
// JIS X 0208 code points of seven marks (〜 U+301C, − U+2212, ...) taken
// as the code page's own.

// Code page 932 to UTF-8; a byte that does not begin a valid character
// becomes U+FFFD.
std::string cp932ToUtf8(const std::string& text);
// UTF-8 to code page 932; characters without a Shift-JIS form, and bytes
// that break UTF-8, become "?" each.
std::string utf8ToCp932(const std::string& text);
// One Unicode character in code page 932; empty when the code page has no
// form for it that reads back as the same character (so callers choose
// their own stand-in, and no look-alike creeps in).
std::string codePointToCp932(unsigned codePoint);

// Appends the UTF-8 bytes of one Unicode code point (U+0000..U+10FFFF).
void appendUtf8(std::string& out, unsigned codePoint);

// A command-line argument as code page 932 (POSIX terminals speak UTF-8;
// Windows hands arguments over in the ANSI code page already).
std::string argumentToCp932(const std::string& argument);

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
