// XmltvText: UTF-8 decoding and the Shift-JIS forms the guide pages carry.
#include "xmltv/xmltv_text.h"

#include <algorithm>
#include <atomic>
#include <map>

#include "os/text.h"

const char kXmltvUnknownCharacter[] = "\x81\x48";

namespace {

// The page writer turns Shift-JIS into EUC-JP by arithmetic, which holds
// for JIS X 0208 and the rows of lead bytes up to 0xEF only.
bool pageCanCarry(const std::string& shiftJis) {
  return !shiftJis.empty() && static_cast<unsigned char>(shiftJis[0]) < 0xF0;
}

// The broadcast's enclosed marks (U+1F210..U+1F23B) by the character each
// encloses, in code point order; pages write them as "[字]".
const std::uint16_t kEnclosedIdeographs[] = {
    0x624B, 0x5B57, 0x53CC, 0x30C7, 0x4E8C, 0x591A, 0x89E3, 0x5929,  // 手字双デ二多解天
    0x4EA4, 0x6620, 0x7121, 0x6599, 0x524D, 0x5F8C, 0x518D, 0x65B0,  // 交映無料前後再新
    0x521D, 0x7D42, 0x751F, 0x8CA9, 0x58F0, 0x5439, 0x6F14, 0x6295,  // 初終生販声吹演投
    0x6355, 0x4E00, 0x4E09, 0x904A, 0x5DE6, 0x4E2D, 0x53F3, 0x6307,  // 捕一三遊左中右指
    0x8D70, 0x6253, 0x7981, 0x7A7A, 0x5408, 0x6E80, 0x6709, 0x6708,  // 走打禁空合満有月
    0x7533, 0x5272, 0x55B6, 0x914D,                                  // 申割営配
};
constexpr std::uint32_t kFirstEnclosedIdeograph = 0x1F210;
// The squared words and letters of the same broadcasts.
const char* const kSquaredWords[] = {"HV", "MV", "SD", "SS", "PPV", "WC"};  // U+1F14A..U+1F14F
const std::uint32_t kSquaredKana[][2] = {{0x307B, 0x304B}, {0x30B3, 0x30B3}, {0x30B5, 0}};  // ほか ココ サ

// The bracket mark a page carries for an enclosed mark; empty for any
// other character.
std::string bracketMarkOf(std::uint32_t codePoint) {
  std::string inside;
  if (codePoint >= kFirstEnclosedIdeograph &&
      codePoint < kFirstEnclosedIdeograph + sizeof kEnclosedIdeographs / sizeof kEnclosedIdeographs[0]) {
    inside = os::codePointToCp932(kEnclosedIdeographs[codePoint - kFirstEnclosedIdeograph]);
  } else if (codePoint >= 0x1F130 && codePoint <= 0x1F149) {
    inside = static_cast<char>('A' + (codePoint - 0x1F130));
  } else if (codePoint >= 0x1F14A && codePoint <= 0x1F14F) {
    inside = kSquaredWords[codePoint - 0x1F14A];
  } else if (codePoint >= 0x1F200 && codePoint <= 0x1F202) {
    for (std::uint32_t kana : kSquaredKana[codePoint - 0x1F200]) {
      if (kana) inside += os::codePointToCp932(kana);
    }
  }
  return inside.empty() ? inside : "[" + inside + "]";
}

// The IBM extension rows (lead bytes 0xFA..0xFC) lie beyond what a page
// carries; their characters are also in the NEC-selected rows 89..92,
// which it does, and which every code page 932 reads as the same ones.
std::string necSelectedTwin(const std::string& shiftJis) {
  static const std::map<std::string, std::string> twins = [] {
    std::map<std::string, std::string> byUtf8;
    for (int lead = 0xED; lead <= 0xEE; ++lead) {
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        const std::string necSelected{static_cast<char>(lead), static_cast<char>(trail)};
        const std::string utf8 = os::cp932ToUtf8(necSelected);
        if (utf8 != "\xEF\xBF\xBD") byUtf8.emplace(utf8, necSelected);
      }
    }
    return byUtf8;
  }();
  auto found = twins.find(os::cp932ToUtf8(shiftJis));
  return found != twins.end() ? found->second : std::string();
}

// The Shift-JIS a page carries for a character beyond ASCII.
std::string pageFormOf(std::uint32_t codePoint) {
  std::string shiftJis = bracketMarkOf(codePoint);
  if (!shiftJis.empty()) return shiftJis;
  shiftJis = os::codePointToCp932(codePoint);
  if (!shiftJis.empty() && static_cast<unsigned char>(shiftJis[0]) >= 0xFA) shiftJis = necSelectedTwin(shiftJis);
  return pageCanCarry(shiftJis) ? shiftJis : kXmltvUnknownCharacter;
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

namespace {

// The page forms of the Basic Multilingual Plane, one or two bytes each,
// found once per process: 0 while unknown, else 0x10000 | lead << 8 | trail
// (trail 0 for a single byte). Threads that race store the same value.
std::atomic<std::uint32_t> bmpForms[0x10000];

// Writes the page form of a BMP character into `form`; its length, 1 or 2.
inline std::size_t bmpFormOf(std::uint32_t codePoint, char form[2]) {
  std::uint32_t known = bmpForms[codePoint].load(std::memory_order_relaxed);
  if (known == 0) {
    const std::string shiftJis = pageFormOf(codePoint);
    known = 0x10000 | static_cast<unsigned char>(shiftJis[0]) << 8 |
            (shiftJis.size() > 1 ? static_cast<unsigned char>(shiftJis[1]) : 0);
    bmpForms[codePoint].store(known, std::memory_order_relaxed);
  }
  form[0] = static_cast<char>(known >> 8 & 0xFF);
  form[1] = static_cast<char>(known & 0xFF);
  return (known & 0xFF) ? 2 : 1;
}

void appendBmpForm(std::uint32_t codePoint, std::string& out) {
  char form[2];
  out.append(form, bmpFormOf(codePoint, form));
}

}  // namespace

void XmltvText::putCodePoint(std::uint32_t codePoint, std::string* out) {
  if (!out) return;
  if (codePoint < 0x80) {
    *out += static_cast<char>(codePoint);
    return;
  }
  if (codePoint < 0x10000) {
    appendBmpForm(codePoint, *out);
    return;
  }
  auto found = known_.find(codePoint);
  if (found == known_.end()) {
    const std::string shiftJis = pageFormOf(codePoint);
    if (known_.size() >= kMaxKnownCharacters) {
      *out += shiftJis;
      return;
    }
    found = known_.emplace(codePoint, shiftJis).first;
  }
  *out += found->second;
}

namespace {

// Collects a run's bytes and appends them to the text in blocks, within
// the room the text has left.
class RunOutput {
 public:
  RunOutput(std::string* out, std::size_t room) : out_(out), room_(out ? room : 0) {}
  ~RunOutput() { flush(); }
  bool full() const { return room_ == 0; }
  std::string* text() {
    flush();
    return room_ > 0 ? out_ : nullptr;
  }
  void put(const char* bytes, std::size_t count) {
    if (room_ == 0) return;
    count = std::min(count, room_);
    if (used_ + count > sizeof block_) flush();
    if (count > sizeof block_) {
      out_->append(bytes, count);
    } else {
      std::copy(bytes, bytes + count, block_ + used_);
      used_ += count;
    }
    room_ -= count;
  }
  // One character's one or two bytes, the common case of Japanese text.
  void putCharacter(const char form[2], std::size_t count) {
    if (room_ < count || used_ + 2 > sizeof block_) return put(form, count);
    block_[used_] = form[0];
    block_[used_ + 1] = form[1];  // harmless when count is 1: overwritten next
    used_ += count;
    room_ -= count;
  }
  void flush() {
    if (used_ > 0) out_->append(block_, used_);
    used_ = 0;
  }
  // After a call that appended to text() directly.
  void tookFrom(std::size_t before) {
    const std::size_t grown = out_->size() - before;
    room_ = grown < room_ ? room_ - grown : 0;
  }

 private:
  std::string* out_;
  std::size_t room_;
  char block_[512];
  std::size_t used_ = 0;
};

}  // namespace

bool XmltvText::putRun(const unsigned char* bytes, std::size_t count, std::string* out, std::size_t room) {
  RunOutput run(out, room);
  std::size_t i = 0;
  while (i < count) {
    const unsigned char byte = bytes[i];
    if (byte < 0x80 && pending_ == 0) {
      std::size_t end = i + 1;
      while (end < count && bytes[end] < 0x80) ++end;
      run.put(reinterpret_cast<const char*>(bytes + i), end - i);
      i = end;
      continue;
    }
    // A whole three-byte character (kana and kanji) decoded in place.
    if (encoding_ == XmltvEncoding::Utf8 && pending_ == 0 && (byte & 0xF0) == 0xE0 && i + 2 < count &&
        (bytes[i + 1] & 0xC0) == 0x80 && (bytes[i + 2] & 0xC0) == 0x80) {
      const std::uint32_t codePoint = (byte & 0x0Fu) << 12 | (bytes[i + 1] & 0x3Fu) << 6 | (bytes[i + 2] & 0x3Fu);
      if (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint < 0xE000)) return false;
      if (!run.full()) {
        char form[2];
        run.putCharacter(form, bmpFormOf(codePoint, form));
      }
      i += 3;
      continue;
    }
    // So is a four-byte one, a broadcast's enclosed marks ("[字]").
    if (encoding_ == XmltvEncoding::Utf8 && pending_ == 0 && (byte & 0xF8) == 0xF0 && i + 3 < count &&
        (bytes[i + 1] & 0xC0) == 0x80 && (bytes[i + 2] & 0xC0) == 0x80 && (bytes[i + 3] & 0xC0) == 0x80) {
      const std::uint32_t codePoint = (byte & 0x07u) << 18 | (bytes[i + 1] & 0x3Fu) << 12 |
                                      (bytes[i + 2] & 0x3Fu) << 6 | (bytes[i + 3] & 0x3Fu);
      if (codePoint < 0x10000 || codePoint > 0x10FFFF) return false;
      std::string* text = run.text();
      const std::size_t before = text ? text->size() : 0;
      putCodePoint(codePoint, text);
      if (text) run.tookFrom(before);
      i += 4;
      continue;
    }
    std::string* text = run.text();
    const std::size_t before = text ? text->size() : 0;
    if (!put(byte, text)) return false;
    if (text) run.tookFrom(before);
    ++i;
  }
  return true;
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
    std::string pair{static_cast<char>(lead_), static_cast<char>(byte)};
    if (lead_ >= 0xFA) pair = necSelectedTwin(pair);
    *out += pageCanCarry(pair) ? pair : kXmltvUnknownCharacter;
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

std::string guideTextOfUtf8(const std::string& utf8) {
  XmltvText text;
  std::string out;
  text.putRun(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), &out, utf8.size() * 2 + 8);
  // Line ends as the guide keeps them; other control bytes never reach it.
  std::string tidy;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
    if (c == '\r' || c == '\n') tidy += '\n';
    else if (c >= 0x20 || c == '\t') tidy += out[i];
  }
  return tidy;
}
