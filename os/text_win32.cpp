#include "os/text.h"

#include <windows.h>
#include <io.h>

#include <cstdlib>

#include "os/lead_byte.h"
#include "os/text_native.h"

namespace os {

namespace {

std::string wideToUtf8(const wchar_t* wide, int length) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, &out[0], size, nullptr, nullptr);
  return out;
}

}  // namespace

std::string cp932ToUtf8(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    int length = isLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
    wchar_t wide[2];
    // The system reads these single bytes as characters of their own; no
    // Shift-JIS text holds them, and the POSIX side refuses them too.
    const bool undefined = byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
    int count = byte < 0x80 || undefined ? 0
                            : MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data() + i,
                                                  length, wide, 2);
    if (byte < 0x80) {
      out += text[i];
    } else if (count > 0) {
      out += wideToUtf8(wide, count);
    } else {
      out += "\xEF\xBF\xBD";
      length = 1;
    }
    i += length;
  }
  return out;
}

std::string nativeCodePointToCp932(unsigned codePoint) {
  wchar_t wide[2];
  int units = 1;
  if (codePoint >= 0x10000) {
    wide[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    wide[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    units = 2;
  } else {
    wide[0] = static_cast<wchar_t>(codePoint);
  }
  char out[8];
  BOOL usedDefault = FALSE;
  // No best fit: a character the code page lacks must not turn into a
  // look-alike.
  int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, units, out, sizeof out, nullptr,
                                 &usedDefault);
  if (size <= 0 || usedDefault) return std::string();
  return std::string(out, size);
}

std::string argumentToCp932(const std::string& argument) { return argument; }

std::string executablePath() {
  char buffer[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::string environmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool stderrIsTerminal() { return _isatty(2) != 0; }

bool localeIsJapanese() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE; }

}  // namespace os
