// Folding text for matching: width, case and half-width katakana.
#include "search/search_text.h"

#include "os/text.h"

namespace {

// U+FF61..U+FF9F as full-width code points.
const unsigned short kFullWidthOfHalfKana[63] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr unsigned kHalfVoiced = 0xFF9E;
constexpr unsigned kHalfSemiVoiced = 0xFF9F;

// The next code point of `text` at `at`, which moves past it; a byte that
// does not begin a valid sequence is returned as itself (and left alone).
unsigned nextCodePoint(const std::string& text, std::size_t& at, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) {
    length = 1;
    return 0x110000;  // not a character: copied as the byte it is
  }
  unsigned code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

void appendCodePoint(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool takesVoicedMark(unsigned kana) {
  return (kana >= 0x30AB && kana <= 0x30C8 && kana != 0x30C3) || (kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0);
}

bool takesSemiVoicedMark(unsigned kana) { return kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0; }

// A half-width katakana and the sound mark after it (if it combines) as one
// full-width character.
unsigned fullWidthKana(unsigned half, unsigned next, bool& tookMark) {
  const unsigned kana = kFullWidthOfHalfKana[half - 0xFF61];
  tookMark = true;
  if (next == kHalfVoiced && kana == 0x30A6) return 0x30F4;
  if (next == kHalfVoiced && takesVoicedMark(kana)) return kana + 1;
  if (next == kHalfSemiVoiced && takesSemiVoicedMark(kana)) return kana + 2;
  tookMark = false;
  return kana;
}

unsigned foldWidthAndCase(unsigned code) {
  if (code >= 0xFF01 && code <= 0xFF5E) code -= 0xFF01 - 0x21;
  if (code == 0x3000) code = ' ';
  if (code >= 'A' && code <= 'Z') code += 'a' - 'A';
  return code;
}

std::string fold(const std::string& utf8, bool keepEscapes) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t at = 0;
  bool escaped = false;
  while (at < utf8.size()) {
    std::size_t length;
    unsigned code = nextCodePoint(utf8, at, length);
    if (code == 0x110000 || escaped) {
      out.append(utf8, at, length);
      at += length;
      escaped = false;
      continue;
    }
    at += length;
    escaped = keepEscapes && code == '\\';
    if (code >= 0xFF61 && code <= 0xFF9F) {
      std::size_t markLength = 0, markAt = at;
      const unsigned next = at < utf8.size() ? nextCodePoint(utf8, markAt, markLength) : 0;
      bool tookMark;
      code = fullWidthKana(code, next, tookMark);
      if (tookMark) at += markLength;
    }
    appendCodePoint(out, foldWidthAndCase(code));
  }
  return out;
}

}  // namespace

std::string searchForm(const std::string& utf8) { return fold(utf8, false); }

std::string searchFormOfPattern(const std::string& utf8) { return fold(utf8, true); }

std::string searchFormOfCp932(const std::string& cp932) { return fold(os::cp932ToUtf8(cp932), false); }
