// XmltvText: turns the text of an XMLTV document into Shift-JIS as it is
// read, one byte at a time. UTF-8 (checked) and ISO-8859-1 are decoded; Shift-JIS passes
// through (EUC-JP arrives already converted, see XmltvReader). The
// broadcast's enclosed marks (U+1F210..U+1F23B and their kin) become the
// bracket marks of the pages ("[字]"), so flags and searches see them; a
// character of the IBM extension rows becomes its NEC-selected twin. A
// character the guide pages cannot carry becomes "？" on its own, never
// taking its neighbours with it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

enum class XmltvEncoding { Utf8, ShiftJis, Latin1 };

class XmltvText {
 public:
  void setEncoding(XmltvEncoding encoding) { encoding_ = encoding; }
  XmltvEncoding encoding() const { return encoding_; }

  // Appends the Shift-JIS form of `byte` to `out` (or drops it when `out` is
  // null, still checking it). False on a byte that breaks the encoding.
  bool put(int byte, std::string* out);
  // put for `count` bytes, appending to `out` only while it has grown by
  // less than `room` bytes (the reader's cap on a text); ASCII and whole
  // UTF-8 characters are taken without a call a byte.
  bool putRun(const unsigned char* bytes, std::size_t count, std::string* out, std::size_t room);
  // Appends one Unicode character (a numeric character reference).
  void putCodePoint(std::uint32_t codePoint, std::string* out);
  // True when no multi-byte character is left half read.
  bool complete() const { return pending_ == 0; }
  // Forgets a half-read character.
  void reset() { pending_ = 0; }

 private:
  bool putUtf8(int byte, std::string* out);
  bool putShiftJis(int byte, std::string* out);

  XmltvEncoding encoding_ = XmltvEncoding::Utf8;
  std::uint32_t codePoint_ = 0;
  int pending_ = 0;     // continuation bytes still wanted (UTF-8), or 1 after a lead byte
  std::uint32_t minimum_ = 0;  // smallest code point the sequence may encode
  int lead_ = 0;        // Shift-JIS lead byte waiting for its trail
  std::unordered_map<std::uint32_t, std::string> known_;  // conversions seen so far
};

// "？": what stands for a character the guide cannot hold.
extern const char kXmltvUnknownCharacter[];

// A peer's UTF-8 text as the guide keeps it: XmltvText's Shift-JIS, line
// ends as "\n" and no other control byte but tab.
std::string guideTextOfUtf8(const std::string& utf8);
