#include "config/settings_encoding.h"

#include "os/text.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const char kUtf16LeMark[] = "\xFF\xFE";
const char kUtf16BeMark[] = "\xFE\xFF";

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

bool littleEndian(const SettingsFileForm& form) { return form.encoding == SettingsFileForm::kUtf16Le; }

void appendUtf8(unsigned codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void appendUtf16(unsigned unit, bool little, std::string& out) {
  const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
  out += little ? low : high;
  out += little ? high : low;
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte goes.
std::string utf16ToUtf8(const std::string& bytes, std::size_t from, bool little) {
  std::string out;
  auto unitAt = [&](std::size_t i) {
    return little ? at(bytes, i) | at(bytes, i + 1) << 8 : at(bytes, i) << 8 | at(bytes, i + 1);
  };
  for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
    unsigned unit = static_cast<unsigned>(unitAt(i));
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      const unsigned next = static_cast<unsigned>(unitAt(i + 2));
      if (next >= 0xDC00 && next < 0xE000) {
        appendUtf8(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), out);
        i += 2;
        continue;
      }
    }
    appendUtf8(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit, out);
  }
  return out;
}

// Valid UTF-8 (as os::cp932ToUtf8 makes it) to UTF-16.
std::string utf8ToUtf16(const std::string& text, bool little) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8Length(text, i);
    if (length == 0) {
      appendUtf16(0xFFFD, little, out);
      ++i;
      continue;
    }
    unsigned codePoint = length == 1 ? at(text, i) : at(text, i) & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) codePoint = codePoint << 6 | (at(text, i + k) & 0x3F);
    if (codePoint >= 0x10000) {
      appendUtf16(0xD800 + ((codePoint - 0x10000) >> 10), little, out);
      appendUtf16(0xDC00 + ((codePoint - 0x10000) & 0x3FF), little, out);
    } else {
      appendUtf16(codePoint, little, out);
    }
    i += length;
  }
  return out;
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

SettingsFileForm settingsFileForm(const std::string& bytes) {
  SettingsFileForm form;
  if (bytes.compare(0, 2, kUtf16LeMark) == 0 || bytes.compare(0, 2, kUtf16BeMark) == 0) {
    form.encoding = bytes[0] == kUtf16LeMark[0] ? SettingsFileForm::kUtf16Le : SettingsFileForm::kUtf16Be;
    form.byteOrderMark = true;
    return form;
  }
  std::size_t odd = 0, even = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') ++(i % 2 ? odd : even);
  }
  if (odd + even > 0) {
    form.encoding = odd >= even ? SettingsFileForm::kUtf16Le : SettingsFileForm::kUtf16Be;
  } else if (isUtf8SettingsText(bytes)) {
    form.encoding = SettingsFileForm::kUtf8;
    form.byteOrderMark = bytes.compare(0, 3, kByteOrderMark) == 0;
  }
  return form;
}

std::string settingsTextAsCp932(const std::string& bytes, SettingsFileForm& form) {
  form = settingsFileForm(bytes);
  if (form.isUtf16()) return os::utf8ToCp932(utf16ToUtf8(bytes, form.byteOrderMark ? 2 : 0, littleEndian(form)));
  if (form.encoding != SettingsFileForm::kUtf8) return bytes;
  return os::utf8ToCp932(form.byteOrderMark ? bytes.substr(3) : bytes);
}

std::string settingsTextAsCp932(const std::string& bytes, bool& wasUtf8) {
  SettingsFileForm form;
  std::string text = settingsTextAsCp932(bytes, form);
  wasUtf8 = form.encoding == SettingsFileForm::kUtf8;
  return text;
}

std::string settingsTextInForm(const std::string& text, const SettingsFileForm& form) {
  if (!form.isUtf16()) return text;
  const bool little = littleEndian(form);
  std::string out;
  appendUtf16(0xFEFF, little, out);
  return out + utf8ToUtf16(os::cp932ToUtf8(text), little);
}
