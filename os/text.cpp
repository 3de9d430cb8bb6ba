// Text conversion rules both sides share: which characters code page 932
// takes, so that the two builds turn the same text into the same bytes.
#include "os/text.h"

#include "os/text_native.h"

namespace os {

namespace {

// Marks whose JIS X 0208 code points differ from code page 932's: text
// decoded by the JIS rules (EUC-JP and Shift_JIS tools) writes these for
// the same marks, so they take the code page's bytes as well.
struct JisMark {
  unsigned codePoint;
  const char* cp932;
};
const JisMark kJisMarks[] = {
    {0x00A2, "\x81\x91"},  // ¢
    {0x00A3, "\x81\x92"},  // £
    {0x00AC, "\x81\xCA"},  // ¬
    {0x2014, "\x81\x5C"},  // —
    {0x2016, "\x81\x61"},  // ‖
    {0x2212, "\x81\x7C"},  // −
    {0x301C, "\x81\x60"},  // 〜
};

std::string utf8Of(unsigned codePoint) {
  std::string out;
  appendUtf8(out, codePoint);
  return out;
}

// The code point of the UTF-8 sequence at `text[at]` and its length; false
// for a byte that does not begin a well-formed one.
bool decodeUtf8(const std::string& text, std::size_t at, unsigned& codePoint, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  unsigned minimum;
  if (lead < 0x80) length = 1, codePoint = lead, minimum = 0;
  else if ((lead & 0xE0) == 0xC0) length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  else if ((lead & 0xF0) == 0xE0) length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  else if ((lead & 0xF8) == 0xF0) length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  else return false;
  if (at + length > text.size()) return false;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  return codePoint >= minimum && codePoint < 0x110000 && (codePoint < 0xD800 || codePoint >= 0xE000);
}

}  // namespace

void appendUtf8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | codePoint >> 6);
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | codePoint >> 18);
    out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

std::string codePointToCp932(unsigned codePoint) {
  for (const JisMark& mark : kJisMarks) {
    if (mark.codePoint == codePoint) return mark.cp932;
  }
  if (codePoint >= 0x110000 || (codePoint >= 0xD800 && codePoint < 0xE000)) return std::string();
  if (codePoint < 0x80) return std::string(1, static_cast<char>(codePoint));
  // Only bytes that read back as the same character: a conversion one way
  // only (¥ to 0x5C) would be a look-alike.
  const std::string bytes = nativeCodePointToCp932(codePoint);
  return !bytes.empty() && cp932ToUtf8(bytes) == utf8Of(codePoint) ? bytes : std::string();
}

std::string utf8ToCp932(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    unsigned codePoint;
    std::size_t length;
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += text[i++];
      continue;
    }
    if (!decodeUtf8(text, i, codePoint, length)) {
      out += '?';
      ++i;
      continue;
    }
    const std::string bytes = codePointToCp932(codePoint);
    out += bytes.empty() ? "?" : bytes;
    i += length;
  }
  return out;
}

}  // namespace os
