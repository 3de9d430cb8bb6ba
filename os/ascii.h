// The ASCII rules that protocol texts (HTTP heads, queries, XML names,
// options) are read by, whatever the locale: nothing here looks past a
// byte's ASCII meaning, so Shift-JIS and UTF-8 bytes pass unchanged.
#pragma once

#include <string>

namespace ascii {

// A to Z as a to z.
std::string lowered(std::string text);
// Without the spaces and tabs at both ends.
std::string trimmed(const std::string& text);
// One digit at least, and nothing else.
bool allDigits(const std::string& text);
// 0-9, a-f, A-F as 0 to 15; -1 for any other byte.
int hexValue(char c);
// A query component: "%XX" as its byte and "+" as a space. False on a "%"
// not followed by two hex digits.
bool percentDecoded(const std::string& text, std::string& decoded);

}  // namespace ascii
