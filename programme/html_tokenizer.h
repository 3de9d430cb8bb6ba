// HtmlTokenizer: a small, forgiving scanner that turns bytes into text, start
// tag and end tag events. It knows no element, comment, script or character
// set: names are lower-cased byte-wise, values keep their bytes, and only
// the double quote delimits a value. Shift-JIS passes through intact because
// every byte it treats specially lies below 0x40.
//
// Construct, run once per input, destroy. One thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bytes/byte_source.h"
#include "bytes/string_map.h"
#include "programme/html_handler.h"

class HtmlTokenizer {
 public:
  HtmlTokenizer() = default;
  virtual ~HtmlTokenizer() = default;
  HtmlTokenizer(const HtmlTokenizer&) = delete;
  HtmlTokenizer& operator=(const HtmlTokenizer&) = delete;

  // Reads `source` to its end, reporting to `handler`. False without reading
  // when either is null, and as soon as the handler returns false (nothing
  // more is read or reported); true when the input ended and the last text
  // was accepted. A tag not closed by '>' at the end is never reported.
  bool run(ByteSource* source, HtmlHandler* handler);

  // Puts only the attributes of these (lower-case) names into the map a
  // start tag hands over; the others are read past as before, never stored.
  // All are kept until this is called. Everything else is reported alike.
  void keepOnlyAttributes(std::vector<std::string> names);

 private:
  enum class State { Text, TagName, AttrName, AfterEquals, UnquotedValue, QuotedValue };

  // Runs the bytes [at, end) through the lexical states, moving `at` past
  // those used; false when the handler asked to stop (`at` is then just
  // after the byte that made it stop).
  bool scan(const unsigned char*& at, const unsigned char* end);
  bool flushText();
  bool emitTag();
  void commitAttribute();
  bool isKept() const;  // of the pending attribute name
  // Whether the attribute `name` (`size` bytes, `readable` of them may be
  // read) is kept.
  bool keeps(const char* name, std::size_t size, std::size_t readable) const;
  void clearState();

  HtmlHandler* handler_ = nullptr;
  std::string tagName_;  // without the slash of an end tag
  bool endTag_ = false;  // the tag's name began with '/'

  std::string attrName_;
  std::string buffer_;  // text being collected, or the value being read
  StringMap attributes_;
  // Nodes of attributes_ taken out when a tag is done, reused for the next
  // tags so that a page costs no allocation per attribute.
  std::vector<StringMap::node_type> spareNodes_;
  std::vector<std::string> keptNames_;  // empty: every attribute is kept
  // The first eight bytes of each kept name, zero-padded, and its length:
  // most names are told apart by one comparison, without a branch per byte.
  std::vector<std::pair<std::uint64_t, std::size_t>> keptWords_;
  bool nameKept_ = false;               // attrName_ is known to be kept
  bool dropping_ = false;               // the value being read belongs to an attribute not kept
  State state_ = State::Text;
  std::string output_;  // the flushed text, reused
};
