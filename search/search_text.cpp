// Folding text for matching: width, case and half-width katakana.
#include "search/search_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "os/os.h"
#include "os/text.h"
#include "search/cp932_code_points.h"

namespace {

constexpr unsigned kReplacement = 0xFFFD;

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

// The code point of `text` at `at`, `length` bytes long; a byte that
// does not begin a valid sequence gives 0x110000, one byte long.
unsigned nextCodePoint(const std::string& text, std::size_t at, std::size_t& length) {
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

constexpr unsigned kRawByte = 0x110000;  // + the byte: not a character, copied as it is

void decodeUtf8(const std::string& utf8, std::vector<unsigned>& codes) {
  codes.clear();
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length;
    const unsigned code = nextCodePoint(utf8, at, length);
    codes.push_back(code == 0x110000 ? kRawByte + static_cast<unsigned char>(utf8[at]) : code);
    at += length;
  }
}

// Folds `codes` onto `out`.
void fold(const std::vector<unsigned>& codes, bool keepEscapes, std::string& out) {
  bool escaped = false;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    unsigned code = codes[i];
    if (code >= kRawByte) {
      out += static_cast<char>(code - kRawByte);
      escaped = false;
      continue;
    }
    if (escaped) {
      os::appendUtf8(out, code);
      escaped = false;
      continue;
    }
    escaped = keepEscapes && code == '\\';
    if (code >= 0xFF61 && code <= 0xFF9F) {
      bool tookMark;
      code = fullWidthKana(code, i + 1 < codes.size() ? codes[i + 1] : 0, tookMark);
      if (tookMark) ++i;
    }
    os::appendUtf8(out, foldWidthAndCase(code));
  }
}

std::string foldUtf8(const std::string& utf8, bool keepEscapes) {
  std::vector<unsigned> codes;
  decodeUtf8(utf8, codes);
  std::string out;
  out.reserve(utf8.size());
  fold(codes, keepEscapes, out);
  return out;
}

// Every character of code page 932 as its code point, by its byte or by
// lead * 256 + trail: converting one character at a time at the edge is
// too slow for a week of programmes searched while the user types. Built
// once, on first use (thread-safe: the web guide searches on several
// threads), from the table written out at build time.
const std::vector<std::uint16_t>& cp932CodePoints() {
  static const std::vector<std::uint16_t> table = [] {
    std::vector<std::uint16_t> codes(0x10000, kReplacement);
    int row = 0;
    for (unsigned byte = 0; byte < 0x100; ++byte) {
      if (byte < 0x80) {
        codes[byte] = static_cast<std::uint16_t>(byte);
      } else if (os::isLeadByte(static_cast<unsigned char>(byte))) {
        // The table's rows are the lead bytes in order.
        for (unsigned trail = 0x40; trail <= 0xFC && row < kCp932LeadBytes; ++trail)
          codes[byte << 8 | trail] = kCp932Pairs[row][trail - 0x40];
        ++row;
      } else {
        codes[byte] = kCp932SingleBytes[byte - 0x80];
      }
    }
    return codes;
  }();
  return table;
}

struct FoldedCharacter {
  unsigned char length;
  char bytes[3];
};

FoldedCharacter foldedCharacter(unsigned code) {
  if (code >= 0xFF61 && code <= 0xFF9F) code = kFullWidthOfHalfKana[code - 0xFF61];
  std::string utf8;
  os::appendUtf8(utf8, foldWidthAndCase(code));
  FoldedCharacter folded{static_cast<unsigned char>(utf8.size()), {}};
  utf8.copy(folded.bytes, 3);
  return folded;
}

// Each character of code page 932 in search form, indexed as
// cp932CodePoints: one look-up a character.
const std::vector<FoldedCharacter>& foldedCp932() {
  static const std::vector<FoldedCharacter> table = [] {
    const std::vector<std::uint16_t>& codes = cp932CodePoints();
    // Most places are no character: their replacement folded once.
    const FoldedCharacter replacement = foldedCharacter(kReplacement);
    std::vector<FoldedCharacter> folded(codes.size(), replacement);
    for (std::size_t i = 0; i < codes.size(); ++i)
      if (codes[i] != kReplacement) folded[i] = foldedCharacter(codes[i]);
    return folded;
  }();
  return table;
}

const FoldedCharacter kFoldedReplacement = {3, {'\xEF', '\xBF', '\xBD'}};

bool isHalfWidthKana(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }

// A half-width katakana with a sound mark after it that combines: appends
// the one full-width character and returns true.
bool appendCombinedKana(std::string& out, unsigned char kana, unsigned char mark) {
  if (mark != 0xDE && mark != 0xDF) return false;
  bool tookMark;
  const unsigned code = fullWidthKana(0xFF61 + kana - 0xA1, 0xFF61 + mark - 0xA1, tookMark);
  if (tookMark) os::appendUtf8(out, code);
  return tookMark;
}

}  // namespace

std::string searchForm(const std::string& utf8) { return foldUtf8(utf8, false); }

std::string searchFormOfPattern(const std::string& utf8) { return foldUtf8(utf8, true); }

void appendSearchFormOfCp932(std::string& out, const std::string& cp932) {
  static const std::vector<unsigned char> leads = [] {
    std::vector<unsigned char> bytes(256);
    for (unsigned byte = 0; byte < 256; ++byte) bytes[byte] = os::isLeadByte(static_cast<unsigned char>(byte));
    return bytes;
  }();
  const std::vector<FoldedCharacter>& folded = foldedCp932();
  const std::vector<std::uint16_t>& codes = cp932CodePoints();
  const std::size_t size = cp932.size();
  // Written through a pointer: no character grows to more than three bytes.
  const std::size_t start = out.size();
  out.resize(start + 3 * size);
  char* to = &out[start];
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned char byte = static_cast<unsigned char>(cp932[i]);
    if (byte < 0x80) {
      *to++ = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
      continue;
    }
    const unsigned char next = i + 1 < size ? static_cast<unsigned char>(cp932[i + 1]) : 0;
    unsigned index = byte;
    if (leads[byte]) {
      index = byte << 8 | next;
      if (next == 0 || codes[index] == kReplacement) index = 0;  // a lead byte without its pair
      else ++i;
    } else if (isHalfWidthKana(byte) && (next == 0xDE || next == 0xDF)) {
      std::string combined;
      if (appendCombinedKana(combined, byte, next)) {
        to = std::copy(combined.begin(), combined.end(), to);
        ++i;
        continue;
      }
    }
    const FoldedCharacter& character = index == 0 ? kFoldedReplacement : folded[index];
    // Three bytes always fit (see above); only `length` of them count.
    to[0] = character.bytes[0];
    to[1] = character.bytes[1];
    to[2] = character.bytes[2];
    to += character.length;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

std::string searchFormOfCp932(const std::string& cp932) {
  std::string out;
  appendSearchFormOfCp932(out, cp932);
  return out;
}

bool cp932PairsFoldingTo(const std::string& folded, std::vector<std::string>& pairs) {
  pairs.clear();
  if (folded.empty() || static_cast<unsigned char>(folded[0]) < 0x80 || folded == "\xEF\xBF\xBD") return false;
  const std::vector<FoldedCharacter>& characters = foldedCp932();
  const auto foldsTo = [&](const FoldedCharacter& character) {
    return folded.compare(0, std::string::npos, character.bytes, character.length) == 0;
  };
  // What appendSearchFormOfCp932 makes of the bytes of one character: a
  // single byte, a half-width katakana with its mark, or a pair.
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    if (!os::isLeadByte(static_cast<unsigned char>(byte)) && foldsTo(characters[byte])) return false;
  }
  for (unsigned char kana = 0xA1; kana <= 0xDF; ++kana) {
    for (unsigned char mark : {0xDE, 0xDF}) {
      std::string combined;
      if (appendCombinedKana(combined, kana, mark) && combined == folded) return false;
    }
  }
  const std::vector<std::uint16_t>& codes = cp932CodePoints();
  for (unsigned index = 0x100; index < 0x10000; ++index) {
    if (!os::isLeadByte(static_cast<unsigned char>(index >> 8)) || codes[index] == kReplacement) continue;
    if (foldsTo(characters[index])) pairs.push_back({static_cast<char>(index >> 8), static_cast<char>(index & 0xFF)});
  }
  return !pairs.empty();
}
