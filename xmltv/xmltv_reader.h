// XmltvReader: a small, strict, streaming reader of the XMLTV subset the
// guide needs: <tv>, <channel id> with <display-name>, and <programme start
// stop channel> with <title>, <sub-title>, <desc>, <category>,
// <episode-num system>, <previously-shown/>, <new/> and <subtitles/>; every
// other element is read past. It keeps one element at a time, never the document, so
// memory stays bounded whatever the document's size.
//
// Calling protocol: construct, call read once with the source and a
// handler; each finished channel and programme goes to the handler in
// document order. On failure error() names the line and the fault.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "listing/programme_record.h"
#include "net/byte_source.h"
#include "xmltv/xmltv_text.h"
#include "xmltv/xmltv_time.h"

struct XmltvChannel {
  std::string id;    // Shift-JIS, as every text here
  std::string name;  // the first display-name, or the first in Japanese
};

struct XmltvProgramme {
  std::string channel;  // the channel's id
  GuideMinute start = 0;
  GuideMinute stop = 0;
  bool hasStop = false;
  std::string title;  // the first title, or the first in Japanese
  std::string subTitle;  // likewise
  std::string desc;      // likewise; lines separated by "\n"
  std::vector<std::string> categories;
  std::vector<EpisodeNumber> episodes;  // up to kXmltvMaxEpisodes
  bool isNew = false, previouslyShown = false, subtitles = false;
};

class XmltvHandler {
 public:
  virtual ~XmltvHandler() = default;
  // False stops the reading (a cancel).
  virtual bool onChannel(const XmltvChannel& channel) = 0;
  virtual bool onProgramme(const XmltvProgramme& programme) = 0;
};

// Bounds on what one element may make the reader hold. Texts beyond them
// are cut; nesting beyond them is an error.
constexpr int kXmltvMaxDepth = 32;
constexpr std::size_t kXmltvMaxText = 4096;
constexpr std::size_t kXmltvMaxName = 64;
constexpr std::size_t kXmltvMaxCategories = 8;
constexpr std::size_t kXmltvMaxEpisodes = 4;

class XmltvReader {
 public:
  XmltvReader() = default;
  XmltvReader(const XmltvReader&) = delete;
  XmltvReader& operator=(const XmltvReader&) = delete;

  // True when the whole document was read and accepted by the handler.
  bool read(ByteSource& source, XmltvHandler& handler);
  // Shift-JIS, "XMLTV <n>行目: <fault>"; empty after success or a stop by
  // the handler.
  const std::string& error() const { return error_; }
  bool stoppedByHandler() const { return stopped_; }
  // The line being read (from 1).
  int line() const { return line_; }

 private:
  enum class Kind { Tv, Channel, DisplayName, Programme, Title, SubTitle, Desc, Category, EpisodeNum, Other };
  struct Open {
    Kind kind;
    std::string name;
  };
  struct Attribute {
    std::string name, value;
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
  void switchInput(ByteSource* input);
  bool fail(const char* fault);
  bool fail(const char* fault, int line);
  bool markup(bool atStart);
  bool characterData(int byte);
  bool characterRun();
  bool attributeRun(int quote, std::string& value);
  bool reference(std::string* out);
  bool declaration(bool atStart);
  bool skipComment();
  bool cdata();
  bool skipDoctype();
  bool readName(int first, std::string& name, int& after);
  int skipSpaces(int byte);
  bool startTag(int first);
  bool endTag();
  bool openElement(const std::string& name, const std::vector<Attribute>& attributes);
  Kind programmePart(const std::string& name);
  bool closeElement();
  bool finishProgramme();
  bool setEncoding(const std::string& name);
  static bool keepsText(Kind kind);
  std::string* collector();

  ByteSource* input_ = nullptr;
  const unsigned char* spanStart_ = nullptr;  // the span being read, or one_
  const unsigned char* at_ = nullptr;
  const unsigned char* end_ = nullptr;
  bool inSpan_ = false;  // spanStart_ is the source's span, to be consumed
  unsigned char one_ = 0;
  std::unique_ptr<ByteSource> converter_;  // EUC-JP to Shift-JIS, when declared
  XmltvHandler* handler_ = nullptr;
  XmltvText text_;
  int line_ = 1;
  std::string error_;
  bool stopped_ = false;
  bool sawRoot_ = false;
  std::vector<Open> open_;
  std::string tagName_;
  std::vector<Attribute> attributes_;
  bool collecting_ = false;  // inside an element whose text is kept
  std::string collected_;    // its text
  std::string lang_;         // its lang attribute, or an episode-num's system
  XmltvChannel channel_;
  bool channelNameInJapanese_ = false;
  XmltvProgramme programme_;
  bool titleInJapanese_ = false, subTitleInJapanese_ = false, descInJapanese_ = false;
  std::string startText_, stopText_;
  int programmeLine_ = 0;
};
