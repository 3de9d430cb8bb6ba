#include "config/settings_encoding.h"

#include "os/text.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

unsigned char at(const std::string& text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// The length of the UTF-8 sequence at `i`, 0 when none begins there.
std::size_t utf8Length(const std::string& text, std::size_t i) {
  const unsigned char lead = at(text, i);
  std::size_t length;
  unsigned low = 0x80, high = 0xBF;  // the second byte's range
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
  else return 0;
  if (i + length > text.size() || at(text, i + 1) < low || at(text, i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((at(text, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool isShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isShiftJisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

bool isValidShiftJis(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = at(text, i);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    if (!isShiftJisLead(c) || i + 1 >= text.size() || !isShiftJisTrail(at(text, i + 1))) return false;
    ++i;
  }
  return true;
}

}  // namespace

bool isUtf8SettingsText(const std::string& bytes) {
  if (bytes.compare(0, 3, kByteOrderMark) == 0) return true;
  bool beyondAscii = false, longSequence = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = utf8Length(bytes, i);
    if (length == 0) return false;
    beyondAscii = beyondAscii || length > 1;
    longSequence = longSequence || length > 2;
    i += length;
  }
  return beyondAscii && (longSequence || !isValidShiftJis(bytes));
}

std::string settingsTextAsCp932(const std::string& bytes, bool& wasUtf8) {
  wasUtf8 = isUtf8SettingsText(bytes);
  if (!wasUtf8) return bytes;
  const bool marked = bytes.compare(0, 3, kByteOrderMark) == 0;
  return os::utf8ToCp932(marked ? bytes.substr(3) : bytes);
}
