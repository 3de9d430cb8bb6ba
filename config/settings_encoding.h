// The settings file's encoding: Shift-JIS, as the Windows program writes
// it, unless it was saved as UTF-8 (a Linux editor), which is recognised
// here and read as the Shift-JIS the program keeps inside.
#pragma once

#include <string>

// True for a UTF-8 byte-order mark; else for valid UTF-8 beyond ASCII that
// holds a three- or four-byte sequence (every kana and kanji), or that is no
// valid Shift-JIS. Valid UTF-8 of two-byte sequences alone is also valid
// Shift-JIS (half-width katakana, "\xC3\xB1" is "ﾃｱ" or "ñ"): taken as Shift-JIS.
bool isUtf8SettingsText(const std::string& bytes);
// `bytes` as Shift-JIS: converted (byte-order mark dropped, characters
// without a Shift-JIS form as "?") when isUtf8SettingsText, else unchanged.
std::string settingsTextAsCp932(const std::string& bytes, bool& wasUtf8);
