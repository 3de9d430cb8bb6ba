// XmlScanner: the strict, streaming XML underneath the XMLTV reader. It
// reads markup, character and entity references, CDATA, comments, the
// DOCTYPE and the declared encoding (UTF-8, Shift-JIS, EUC-JP through the
// converter, Latin-1; texts come out in Shift-JIS), and hands each element's
// opening and closing to an XmlElements. It holds one element's text at a
// time, never the document.
//
// Calling protocol: construct, call scan once with the source and the
// elements' reader. On failure error() names the line and the fault; the
// elements' reader names its own faults through fail.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bytes/byte_source.h"
#include "xmltv/xmltv_text.h"

// Bounds on what one element may make the scanner hold. Texts beyond them
// are cut; nesting beyond them is an error.
constexpr int kXmltvMaxDepth = 32;
constexpr std::size_t kXmltvMaxText = 4096;
constexpr std::size_t kXmltvMaxName = 64;

struct XmlAttribute {
  std::string name, value;
};

class XmlElements {
 public:
  virtual ~XmlElements() = default;
  // An element opens (an empty one closes at once after). Setting
  // `keepText` asks for its text, up to kXmltvMaxText bytes, at its close.
  // False stops the scan.
  virtual bool openElement(const std::string& name, const std::vector<XmlAttribute>& attributes,
                           bool& keepText) = 0;
  // The innermost open element closes. `text` is its kept text (empty when
  // not asked for); the receiver may swap it away. False stops the scan.
  virtual bool closeElement(std::string& text) = 0;
};

class XmlScanner {
 public:
  XmlScanner() = default;
  XmlScanner(const XmlScanner&) = delete;
  XmlScanner& operator=(const XmlScanner&) = delete;

  // True when the whole document was read, well formed, with one element
  // at least, and every call of `elements` returned true.
  bool scan(ByteSource& source, XmlElements& elements);
  // Shift-JIS, "XMLTV <n>行目: <fault>"; empty after success or a stop
  // that named no fault.
  const std::string& error() const { return error_; }
  // Sets the error for `fault` at `line`; false, for returning it.
  bool fail(const char* fault, int line);
  // The line being read (from 1).
  int line() const { return line_; }

  // Stops the scan at the markup that begins at byte `offset` of the source
  // when only the root is open there: scan returns false with joined() and
  // no error, and resume() reads on from that markup. Never while a
  // converter reads the source, whose offsets are not the document's.
  void joinAt(long long offset) { joinAt_ = offset; }
  bool joined() const { return joined_; }
  bool resume();
  // Bytes of the source read so far.
  long long offset() const { return passed_ + (at_ - spanStart_); }
  bool converts() const { return converter_ != nullptr; }

 private:
  struct Open {
    std::string name;
    bool keepsText;
  };

  // The next byte of the document (-1 at its end), taken from the span the
  // source holds ready: one virtual call a block, not one a byte.
  int next() {
    if (at_ == end_ && !refill()) return -1;
    const int c = *at_++;
    if (c == '\n') ++line_;
    return c;
  }
  bool refill();
  bool scanFrom(int c, bool atStart);
  bool atJoin() const {
    return offset() - 1 == joinAt_ && open_.size() == 1 && !collecting_ && !converter_;
  }
  void switchInput(ByteSource* input);
  bool fail(const char* fault) { return fail(fault, line_); }
  bool markup(bool atStart);
  bool characterData(int byte);
  bool characterRun();
  bool attributeRun(int quote, std::string& value);
  bool reference(std::string* out);
  bool declaration(bool atStart);
  bool setEncoding(const std::string& name);
  bool skipComment();
  bool cdata();
  bool skipDoctype();
  bool readName(int first, std::string& name, int& after);
  int skipSpaces(int byte);
  bool startTag(int first);
  bool endTag();
  bool openElement();
  bool closeElement();
  std::string* collector() {
    return collecting_ && collected_.size() < kXmltvMaxText ? &collected_ : nullptr;
  }

  ByteSource* input_ = nullptr;
  const unsigned char* spanStart_ = nullptr;  // the span being read, or one_
  const unsigned char* at_ = nullptr;
  const unsigned char* end_ = nullptr;
  bool inSpan_ = false;  // spanStart_ is the source's span, to be consumed
  long long passed_ = 0;  // bytes of the spans before spanStart_
  long long joinAt_ = -1;
  bool joined_ = false;
  unsigned char one_ = 0;
  std::unique_ptr<ByteSource> converter_;  // EUC-JP to Shift-JIS, when declared
  XmlElements* elements_ = nullptr;
  XmltvText text_;
  int line_ = 1;
  std::string error_;
  bool sawElement_ = false;
  std::vector<Open> open_;
  // Kept between tags, so that their strings' memory is reused.
  std::string tagName_;
  std::vector<XmlAttribute> attributes_;
  bool collecting_ = false;  // inside an element whose text is kept
  std::string collected_;    // its text
};
