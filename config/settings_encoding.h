// The settings file's encoding: Shift-JIS, as the Windows program writes
// it, unless it was saved as UTF-8 (a Linux editor) or UTF-16 (Notepad's
// "Unicode"), which are recognised here and read as the Shift-JIS the
// program keeps inside.
#pragma once

#include <string>

// How a settings file was written. A save writes Shift-JIS for Shift-JIS and
// UTF-8 files, and a UTF-16 file back in UTF-16 of the same byte order: the
// editor that chose it reads it again. It then has a byte-order mark
// whether it had one or not, so that its form is never guessed again.
struct SettingsFileForm {
  enum Encoding { kShiftJis, kUtf8, kUtf16Le, kUtf16Be };
  Encoding encoding = kShiftJis;
  bool byteOrderMark = false;
  bool isUtf16() const { return encoding == kUtf16Le || encoding == kUtf16Be; }
};

// True for a UTF-8 byte-order mark; else for valid UTF-8 beyond ASCII that
// holds a three- or four-byte sequence (every kana and kanji), or that is no
// valid Shift-JIS. Valid UTF-8 of two-byte sequences alone is also valid
// Shift-JIS (half-width katakana, "\xC3\xB1" is "ﾃｱ" or "ñ"): taken as Shift-JIS.
bool isUtf8SettingsText(const std::string& bytes);
// The form of `bytes`: UTF-16 for its byte-order mark, or, without one, for
// any NUL byte (no Shift-JIS or UTF-8 settings line holds one), little-endian
// when more NULs stand at odd offsets; else UTF-8 as isUtf8SettingsText says.
SettingsFileForm settingsFileForm(const std::string& bytes);
// `bytes` as Shift-JIS: converted from the form settingsFileForm finds
// (byte-order mark dropped, characters without a Shift-JIS form as "?"),
// Shift-JIS unchanged.
std::string settingsTextAsCp932(const std::string& bytes, SettingsFileForm& form);
std::string settingsTextAsCp932(const std::string& bytes, bool& wasUtf8);
// The Shift-JIS `text` in the form a save writes for a file read as `form`.
std::string settingsTextInForm(const std::string& text, const SettingsFileForm& form);
