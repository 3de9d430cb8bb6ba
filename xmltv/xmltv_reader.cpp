// XmltvReader: the elements of the XMLTV subset, as the scanner hands them.
#include "xmltv/xmltv_reader.h"

#include "os/ascii.h"

namespace {

// 時刻が読めません
const char kBadTime[] = "\x8e\x9e\x8d\x8f\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1";
// XMLTVの文書ではありません
const char kNotXmltv[] = "XMLTV\x82\xcc\x95\xb6\x8f\x91\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

bool isJapanese(const std::string& lang) { return ascii::lowered(lang).compare(0, 2, "ja") == 0; }

// Spaces and line ends at both ends go; inside, line ends stay only when
// `keepLines` (a description), otherwise they become spaces. In place.
void tidy(std::string& text, bool keepLines) {
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  if (last == std::string::npos) return text.clear();
  text.resize(last + 1);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first > 0) text.erase(0, first);
  // Most texts hold no line end or tab: nothing more to do. (A plain loop:
  // find_first_of would call memchr once a byte.)
  bool untidy = false;
  for (char c : text) untidy |= c == '\r' || (!keepLines && (c == '\n' || c == '\t'));
  if (!untidy) return;
  std::size_t kept = 0;
  for (char c : text) {
    if (c == '\r') continue;
    if (!keepLines && (c == '\n' || c == '\t')) c = ' ';
    text[kept++] = c;
  }
  text.resize(kept);
}

// The value of `name` among `attributes`; empty when absent.
template <typename Attributes>
std::string attribute(const Attributes& attributes, const char* name) {
  for (const auto& a : attributes) {
    if (a.name == name) return a.value;
  }
  return std::string();
}

// A text in Japanese replaces one in another language; otherwise the first wins.
// Swapped in, so that both strings keep their memory for the next text.
void chooseText(std::string& kept, bool& keptIsJapanese, std::string& text, const std::string& lang) {
  if (text.empty()) return;
  const bool japanese = isJapanese(lang);
  if (kept.empty() || (japanese && !keptIsJapanese)) {
    kept.swap(text);
    keptIsJapanese = japanese;
  }
}

}  // namespace

bool XmltvReader::read(ByteSource& source, XmltvHandler& handler) {
  handler_ = &handler;
  stopped_ = sawRoot_ = false;
  open_.clear();
  return scanner_.scan(source, *this);
}

bool XmltvReader::keepsText(Kind kind) {
  return kind == Kind::DisplayName || kind == Kind::Title || kind == Kind::SubTitle || kind == Kind::Desc ||
         kind == Kind::Category || kind == Kind::EpisodeNum;
}

bool XmltvReader::openElement(const std::string& name, const std::vector<XmlAttribute>& attributes,
                              bool& keepText) {
  Kind kind = Kind::Other;
  const Kind parent = open_.empty() ? Kind::Other : open_.back();
  if (open_.empty()) {
    if (name != "tv" || sawRoot_) return scanner_.fail(kNotXmltv, scanner_.line());
    sawRoot_ = true;
    kind = Kind::Tv;
  } else if (parent == Kind::Tv && name == "channel") {
    kind = Kind::Channel;
    channel_ = XmltvChannel();
    channel_.id = attribute(attributes, "id");
    channelNameInJapanese_ = false;
  } else if (parent == Kind::Tv && name == "programme") {
    kind = Kind::Programme;
    // Cleared, not replaced, so that the strings keep their memory.
    programme_.title.clear();
    programme_.subTitle.clear();
    programme_.desc.clear();
    programme_.categories.clear();
    programme_.episodes.clear();
    programme_.isNew = programme_.previouslyShown = programme_.subtitles = false;
    programme_.start = programme_.stop = 0;
    programme_.hasStop = false;
    programme_.channel = attribute(attributes, "channel");
    startText_ = attribute(attributes, "start");
    stopText_ = attribute(attributes, "stop");
    titleInJapanese_ = subTitleInJapanese_ = descInJapanese_ = false;
    programmeLine_ = scanner_.line();
  } else if (parent == Kind::Channel && name == "display-name") {
    kind = Kind::DisplayName;
  } else if (parent == Kind::Programme) {
    kind = programmePart(name);
  }
  keepText = keepsText(kind);
  if (keepText) lang_ = attribute(attributes, kind == Kind::EpisodeNum ? "system" : "lang");
  open_.push_back(kind);
  return true;
}

// A child of <programme>: the kinds whose text is kept, or Other, with the
// marks that are empty elements noted on the way.
XmltvReader::Kind XmltvReader::programmePart(const std::string& name) {
  if (name == "title") return Kind::Title;
  if (name == "desc") return Kind::Desc;
  if (name == "category") return Kind::Category;
  if (name == "sub-title") return Kind::SubTitle;
  if (name == "episode-num") return Kind::EpisodeNum;
  if (name == "new") programme_.isNew = true;
  else if (name == "previously-shown") programme_.previouslyShown = true;
  else if (name == "subtitles") programme_.subtitles = true;
  return Kind::Other;
}

bool XmltvReader::closeElement(std::string& text) {
  const Kind kind = open_.back();
  open_.pop_back();
  switch (kind) {
    case Kind::DisplayName:
      tidy(text, false);
      chooseText(channel_.name, channelNameInJapanese_, text, lang_);
      return true;
    case Kind::Title:
      tidy(text, false);
      chooseText(programme_.title, titleInJapanese_, text, lang_);
      return true;
    case Kind::SubTitle:
      tidy(text, false);
      chooseText(programme_.subTitle, subTitleInJapanese_, text, lang_);
      return true;
    case Kind::EpisodeNum:
      tidy(text, false);
      if (!text.empty() && programme_.episodes.size() < kXmltvMaxEpisodes) {
        programme_.episodes.push_back({lang_, text});
      }
      return true;
    case Kind::Desc:
      tidy(text, true);
      chooseText(programme_.desc, descInJapanese_, text, lang_);
      return true;
    case Kind::Category:
      tidy(text, false);
      if (!text.empty() && programme_.categories.size() < kXmltvMaxCategories) {
        programme_.categories.push_back(text);
      }
      return true;
    case Kind::Channel:
      if (channel_.id.empty()) return true;  // nothing could refer to it
      if (!handler_->onChannel(channel_)) return stopped_ = true, false;
      return true;
    case Kind::Programme:
      return finishProgramme();
    default:
      return true;
  }
}

bool XmltvReader::finishProgramme() {
  if (!parseXmltvTime(startText_, programme_.start)) return scanner_.fail(kBadTime, programmeLine_);
  programme_.hasStop = !stopText_.empty();
  if (programme_.hasStop && !parseXmltvTime(stopText_, programme_.stop)) {
    return scanner_.fail(kBadTime, programmeLine_);
  }
  if (programme_.channel.empty()) return true;
  if (!handler_->onProgramme(programme_)) return stopped_ = true, false;
  return true;
}
