// XmltvText: UTF-8 decoding and the Shift-JIS forms the guide pages carry.
#include "xmltv/xmltv_text.h"

#include "os/text.h"

const char kXmltvUnknownCharacter[] = "\x81\x48";

namespace {

// The page writer turns Shift-JIS into EUC-JP by arithmetic, which holds
// for JIS X 0208 and the rows of lead bytes up to 0xEF only.
bool pageCanCarry(const std::string& shiftJis) {
  return !shiftJis.empty() && static_cast<unsigned char>(shiftJis[0]) < 0xF0;
}

// Bounds the cache of conversions: a document using every character of
// Unicode must not grow it without end.
constexpr std::size_t kMaxKnownCharacters = 16384;

}  // namespace

bool XmltvText::put(int byte, std::string* out) {
  switch (encoding_) {
    case XmltvEncoding::Utf8: return putUtf8(byte, out);
    case XmltvEncoding::ShiftJis: return putShiftJis(byte, out);
    case XmltvEncoding::Latin1: putCodePoint(static_cast<std::uint32_t>(byte), out); return true;
  }
  return false;
}

void XmltvText::putCodePoint(std::uint32_t codePoint, std::string* out) {
  if (!out) return;
  if (codePoint < 0x80) {
    *out += static_cast<char>(codePoint);
    return;
  }
  auto found = known_.find(codePoint);
  if (found == known_.end()) {
    std::string shiftJis = os::codePointToCp932(codePoint);
    if (!pageCanCarry(shiftJis)) shiftJis = kXmltvUnknownCharacter;
    if (known_.size() >= kMaxKnownCharacters) {
      *out += shiftJis;
      return;
    }
    found = known_.emplace(codePoint, shiftJis).first;
  }
  *out += found->second;
}

bool XmltvText::putUtf8(int byte, std::string* out) {
  if (pending_ > 0) {
    if ((byte & 0xC0) != 0x80) return false;
    codePoint_ = codePoint_ << 6 | (byte & 0x3F);
    if (--pending_ > 0) return true;
    if (codePoint_ < minimum_ || codePoint_ > 0x10FFFF || (codePoint_ >= 0xD800 && codePoint_ < 0xE000)) {
      return false;
    }
    putCodePoint(codePoint_, out);
    return true;
  }
  if (byte < 0x80) {
    if (out) *out += static_cast<char>(byte);
    return true;
  }
  if ((byte & 0xE0) == 0xC0) {
    codePoint_ = byte & 0x1F, pending_ = 1, minimum_ = 0x80;
  } else if ((byte & 0xF0) == 0xE0) {
    codePoint_ = byte & 0x0F, pending_ = 2, minimum_ = 0x800;
  } else if ((byte & 0xF8) == 0xF0) {
    codePoint_ = byte & 0x07, pending_ = 3, minimum_ = 0x10000;
  } else {
    return false;
  }
  return true;
}

bool XmltvText::putShiftJis(int byte, std::string* out) {
  if (pending_ > 0) {
    pending_ = 0;
    if (byte < 0x40 || byte == 0x7F || byte > 0xFC) return false;
    if (!out) return true;
    if (lead_ >= 0xF0) {
      *out += kXmltvUnknownCharacter;
    } else {
      *out += static_cast<char>(lead_);
      *out += static_cast<char>(byte);
    }
    return true;
  }
  if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
    lead_ = byte;
    pending_ = 1;
    return true;
  }
  if (byte == 0x80 || byte > 0xFC) return false;
  if (out) *out += static_cast<char>(byte);
  return true;
}
