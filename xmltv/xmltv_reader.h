// XmltvReader: the XMLTV subset the guide needs, read over the XmlScanner: <tv>, <channel id> with <display-name>, and <programme start
// stop channel> with <title>, <sub-title>, <desc>, <category>,
// <episode-num system>, <previously-shown/>, <new/> and <subtitles/>; every
// other element is read past. It keeps one channel or programme at a time,
// never the document, so memory stays bounded whatever the document's size.
//
// Calling protocol: construct, call read once with the source and a
// handler; each finished channel and programme goes to the handler in
// document order. On failure error() names the line and the fault.
#pragma once

#include <string>
#include <vector>

#include "bytes/byte_source.h"
#include "listing/programme_record.h"
#include "xmltv/xml_scanner.h"
#include "xmltv/xmltv_time.h"

struct XmltvChannel {
  std::string id;    // Shift-JIS, as every text here
  std::string name;  // the first display-name, or the first in Japanese
  std::string type = std::string();  // a tuner server's channel type ("GR"); never from XMLTV
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
  BroadcastDetails broadcast;  // a tuner server's; never from XMLTV
};

class XmltvHandler {
 public:
  virtual ~XmltvHandler() = default;
  // False stops the reading (a cancel).
  virtual bool onChannel(const XmltvChannel& channel) = 0;
  virtual bool onProgramme(const XmltvProgramme& programme) = 0;
  // The same for a programme its giver is done with: its texts may be taken.
  virtual bool takeProgramme(XmltvProgramme& programme) { return onProgramme(programme); }
};

// Bounds on what one programme may make the reader hold (the texts' and
// the nesting's are the scanner's); beyond them the rest are dropped.
constexpr std::size_t kXmltvMaxCategories = 8;
constexpr std::size_t kXmltvMaxEpisodes = 4;

class XmltvReader : private XmlElements {
 public:
  XmltvReader() = default;
  XmltvReader(const XmltvReader&) = delete;
  XmltvReader& operator=(const XmltvReader&) = delete;

  // True when the whole document was read and accepted by the handler.
  bool read(ByteSource& source, XmltvHandler& handler);
  // Shift-JIS, "XMLTV <n>行目: <fault>"; empty after success or a stop by
  // the handler.
  const std::string& error() const { return scanner_.error(); }
  bool stoppedByHandler() const { return stopped_; }
  // The line being read (from 1).
  int line() const { return scanner_.line(); }
  // As the scanner's: a stop where a document's second half begins.
  void joinAt(long long offset) { scanner_.joinAt(offset); }
  bool joined() const { return scanner_.joined(); }
  bool resume() { return scanner_.resume(); }

 private:
  enum class Kind { Tv, Channel, DisplayName, Programme, Title, SubTitle, Desc, Category, EpisodeNum, Other };

  bool openElement(const std::string& name, const std::vector<XmlAttribute>& attributes, bool& keepText) override;
  bool closeElement(std::string& text) override;
  Kind programmePart(const std::string& name);
  bool finishProgramme();
  static bool keepsText(Kind kind);

  XmlScanner scanner_;
  XmltvHandler* handler_ = nullptr;
  bool stopped_ = false;
  bool sawRoot_ = false;
  std::vector<Kind> open_;
  std::string lang_;  // the kept text's lang attribute, or an episode-num's system
  XmltvChannel channel_;
  bool channelNameInJapanese_ = false;
  XmltvProgramme programme_;
  bool titleInJapanese_ = false, subTitleInJapanese_ = false, descInJapanese_ = false;
  std::string startText_, stopText_;
  int programmeLine_ = 0;
};
