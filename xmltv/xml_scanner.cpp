// XmlScanner: bytes, markup, references and the declared encoding.
#include "xmltv/xml_scanner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "os/ascii.h"
#include "programme/euc_jp_to_shift_jis_source.h"

namespace {

const char kLine[] = "XMLTV %d\x8ds\x96\xda: ";  // XMLTV %d行目:
// 文書が途中で終わっています
const char kTruncated[] =
    "\x95\xb6\x8f\x91\x82\xaa\x93r\x92\x86\x82\xc5\x8fI\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7";
// 入れ子が深すぎます
const char kTooDeep[] = "\x93\xfc\x82\xea\x8eq\x82\xaa\x90[\x82\xb7\x82\xac\x82\xdc\x82\xb7";
// 文字コードとして不正なバイトです
const char kBadEncoding[] =
    "\x95\xb6\x8e\x9a\x83R\x81[\x83h\x82\xc6\x82\xb5\x82\xc4\x95s\x90\xb3\x82\xc8\x83o\x83\x43\x83g\x82"
    "\xc5\x82\xb7";
// XMLの書式が不正です
const char kBadMarkup[] = "XML\x82\xcc\x8f\x91\x8e\xae\x82\xaa\x95s\x90\xb3\x82\xc5\x82\xb7";
// 文字参照が読めません
const char kBadReference[] = "\x95\xb6\x8e\x9a\x8eQ\x8f\xc6\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1";
// 対応していない文字コードです
const char kUnknownEncoding[] =
    "\x91\xce\x89\x9e\x82\xb5\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x95\xb6\x8e\x9a\x83R\x81[\x83h\x82"
    "\xc5\x82\xb7";
// UTF-16の文書は読めません。UTF-8で保存してください
const char kUtf16[] =
    "UTF-16\x82\xcc\x95\xb6\x8f\x91\x82\xcd\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42UTF-8"
    "\x82\xc5\x95\xdb\x91\xb6\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";
// 終了タグが開始タグと合いません
const char kMismatch[] =
    "\x8fI\x97\xb9\x83^\x83O\x82\xaa\x8aJ\x8en\x83^\x83O\x82\xc6\x8d\x87\x82\xa2\x82\xdc\x82\xb9\x82\xf1";

// The longest XML declaration and attribute value kept.
constexpr std::size_t kMaxDeclaration = 512;
constexpr std::size_t kMaxAttribute = 256;
constexpr int kMaxAttributes = 32;

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameByte(int c) {
  return c > 0x20 && c != '<' && c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' &&
         c != '&' && c != '?' && c != '!';
}

}  // namespace

bool XmlScanner::scan(ByteSource& source, XmlElements& elements) {
  input_ = &source;
  spanStart_ = at_ = end_ = nullptr;
  inSpan_ = false;
  elements_ = &elements;
  converter_.reset();
  text_ = XmltvText();
  line_ = 1;
  error_.clear();
  sawElement_ = collecting_ = joined_ = false;
  passed_ = 0;
  open_.clear();
  int c = next();
  // Its byte-order mark, or a NUL beside the first "<": no encoding read
  // here starts so, and the bytes after would only say "a bad byte".
  if (c == 0xFF || c == 0xFE || c == 0) return fail(kUtf16);
  if (c == 0xEF) {  // a UTF-8 byte order mark
    if (next() != 0xBB || next() != 0xBF) return fail(kBadEncoding);
    c = next();
  }
  return scanFrom(c, true);
}

bool XmlScanner::resume() {
  joined_ = false;
  joinAt_ = -1;
  return scanFrom('<', false);
}

bool XmlScanner::scanFrom(int c, bool atStart) {
  for (; c >= 0; atStart = false, c = next()) {
    if (c == '<') {
      if (!text_.complete()) return fail(kBadEncoding);
      if (atJoin()) {
        joined_ = true;
        return false;
      }
      if (!markup(atStart)) return false;
    } else if (!characterData(c) || !characterRun()) {
      return false;
    }
  }
  if (!sawElement_ || !open_.empty() || !text_.complete()) return fail(kTruncated);
  return true;
}

bool XmlScanner::fail(const char* fault, int line) {
  char prefix[48];
  std::snprintf(prefix, sizeof prefix, kLine, line);
  error_ = std::string(prefix) + fault;
  return false;
}

bool XmlScanner::refill() {
  passed_ += at_ - spanStart_;
  if (inSpan_) input_->consume(static_cast<int>(at_ - spanStart_));
  inSpan_ = false;
  const unsigned char* bytes = nullptr;
  const int count = input_->peekSpan(bytes);
  if (count == ByteSource::kNoSpans) {
    const int byte = input_->nextByte();
    if (byte < 0) return false;
    one_ = static_cast<unsigned char>(byte);
    spanStart_ = at_ = &one_;
    end_ = at_ + 1;
    return true;
  }
  if (count <= 0) return false;
  inSpan_ = true;
  spanStart_ = at_ = bytes;
  end_ = bytes + count;
  return true;
}

// The bytes read so far are handed back to the source before another
// reader (the converter) takes it over.
void XmlScanner::switchInput(ByteSource* input) {
  passed_ += at_ - spanStart_;
  if (inSpan_) input_->consume(static_cast<int>(at_ - spanStart_));
  inSpan_ = false;
  spanStart_ = at_ = end_ = nullptr;
  input_ = input;
}

bool XmlScanner::characterData(int byte) {
  if (byte == '&') return reference(collector());
  if (byte < 0x80 && text_.complete()) {  // the common case, in every encoding
    if (std::string* out = collector()) *out += static_cast<char>(byte);
    return true;
  }
  if (!text_.put(byte, collector())) return fail(kBadEncoding);
  return true;
}

// The rest of a run of text in the span at hand, up to the next markup or
// reference, taken without a call a byte: most of a document is text.
bool XmlScanner::characterRun() {
  const std::size_t left = static_cast<std::size_t>(end_ - at_);
  const void* markup = std::memchr(at_, '<', left);
  const unsigned char* stop = markup ? static_cast<const unsigned char*>(markup) : end_;
  if (const void* reference = std::memchr(at_, '&', static_cast<std::size_t>(stop - at_))) {
    stop = static_cast<const unsigned char*>(reference);
  }
  line_ += static_cast<int>(std::count(at_, stop, '\n'));
  std::string* out = collector();
  const std::size_t room = out ? kXmltvMaxText - out->size() : 0;
  const bool taken = text_.putRun(at_, static_cast<std::size_t>(stop - at_), out, room);
  at_ = stop;
  return taken || fail(kBadEncoding);
}

// The rest of an attribute value in the span at hand, up to its quote, a
// reference or a "<" (which the caller refuses).
bool XmlScanner::attributeRun(int quote, std::string& value) {
  const unsigned char* stop = at_;
  while (stop != end_ && *stop != quote && *stop != '<' && *stop != '&') {
    if (*stop == '\n') ++line_;
    ++stop;
  }
  std::string* out = value.size() < kMaxAttribute ? &value : nullptr;
  const bool taken = text_.putRun(at_, static_cast<std::size_t>(stop - at_), out,
                                  out ? kMaxAttribute - value.size() : 0);
  at_ = stop;
  return taken;
}

bool XmlScanner::reference(std::string* out) {
  std::string name;
  int c;
  while ((c = next()) != ';') {
    if (c < 0) return fail(kTruncated);
    if (name.size() >= 10 || isSpace(c) || c == '<' || c == '&') return fail(kBadReference);
    name += static_cast<char>(c);
  }
  static const struct {
    const char* name;
    char byte;
  } kEntities[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& entity : kEntities) {
    if (name == entity.name) {
      if (out) *out += entity.byte;
      return true;
    }
  }
  if (name.size() < 2 || name[0] != '#') return fail(kBadReference);
  const bool hex = name[1] == 'x';
  std::uint32_t codePoint = 0;
  std::size_t i = hex ? 2 : 1;
  if (i >= name.size()) return fail(kBadReference);
  for (; i < name.size(); ++i) {
    const char d = name[i];
    int value;
    if (d >= '0' && d <= '9') value = d - '0';
    else if (hex && d >= 'a' && d <= 'f') value = d - 'a' + 10;
    else if (hex && d >= 'A' && d <= 'F') value = d - 'A' + 10;
    else return fail(kBadReference);
    codePoint = codePoint * (hex ? 16 : 10) + value;
    if (codePoint > 0x10FFFF) return fail(kBadReference);
  }
  if (codePoint == 0) return fail(kBadReference);
  text_.putCodePoint(codePoint, out);
  return true;
}

int XmlScanner::skipSpaces(int byte) {
  while (isSpace(byte)) byte = next();
  return byte;
}

bool XmlScanner::readName(int first, std::string& name, int& after) {
  name.clear();
  int c = first;
  for (; isNameByte(c); c = next()) {
    if (name.size() >= kXmltvMaxName) return fail(kBadMarkup);
    name += static_cast<char>(c);
    // The rest of the name as it lies in the span (a name holds no line end).
    const unsigned char* stop = at_;
    while (stop != end_ && isNameByte(*stop)) ++stop;
    if (name.size() + static_cast<std::size_t>(stop - at_) > kXmltvMaxName) return fail(kBadMarkup);
    name.append(reinterpret_cast<const char*>(at_), static_cast<std::size_t>(stop - at_));
    at_ = stop;
  }
  after = c;
  if (c < 0) return fail(kTruncated);
  return name.empty() ? fail(kBadMarkup) : true;
}

bool XmlScanner::markup(bool atStart) {
  const int c = next();
  switch (c) {
    case -1: return fail(kTruncated);
    case 0: return fail(atStart ? kUtf16 : kBadMarkup);
    case '?': return declaration(atStart);
    case '/': return endTag();
    case '!': {
      const int d = next();
      if (d == '-') return next() == '-' ? skipComment() : fail(kBadMarkup);
      if (d == '[') return cdata();
      if (d == 'D' || d == 'd') return skipDoctype();
      return d < 0 ? fail(kTruncated) : fail(kBadMarkup);
    }
    default: return startTag(c);
  }
}

// <?xml ... ?> at the very start may name the encoding; any other
// processing instruction is read past.
bool XmlScanner::declaration(bool atStart) {
  std::string body;
  int previous = 0;
  for (int c; (c = next()) != '>' || previous != '?'; previous = c) {
    if (c < 0) return fail(kTruncated);
    if (body.size() < kMaxDeclaration) body += static_cast<char>(c);
  }
  if (!atStart || body.compare(0, 4, "xml ") != 0) return true;
  const std::size_t at = body.find("encoding");
  if (at == std::string::npos) return true;
  const std::size_t open = body.find_first_of("\"'", at);
  if (open == std::string::npos) return fail(kBadMarkup);
  const std::size_t close = body.find(body[open], open + 1);
  if (close == std::string::npos) return fail(kBadMarkup);
  return setEncoding(ascii::lowered(body.substr(open + 1, close - open - 1)));
}

bool XmlScanner::setEncoding(const std::string& name) {
  static const char* const kUtf8[] = {"utf-8", "utf8", "us-ascii", "ascii"};
  static const char* const kShiftJis[] = {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932",
                                          "ms_kanji"};
  static const char* const kEucJp[] = {"euc-jp", "eucjp", "x-euc-jp"};
  static const char* const kLatin1[] = {"iso-8859-1", "latin1", "iso_8859-1"};
  for (const char* known : kUtf8) {
    if (name == known) return true;
  }
  for (const char* known : kShiftJis) {
    if (name == known) {
      text_.setEncoding(XmltvEncoding::ShiftJis);
      return true;
    }
  }
  for (const char* known : kLatin1) {
    if (name == known) {
      text_.setEncoding(XmltvEncoding::Latin1);
      return true;
    }
  }
  for (const char* known : kEucJp) {
    if (name == known) {
      // The rest of the document is read through the converter, so the
      // reader sees Shift-JIS; markup is ASCII in both.
      ByteSource* raw = input_;
      switchInput(raw);  // the converter starts where the reader stands
      converter_.reset(new EucJpToShiftJisSource(*raw));
      switchInput(converter_.get());
      text_.setEncoding(XmltvEncoding::ShiftJis);
      return true;
    }
  }
  return fail(kUnknownEncoding);
}

bool XmlScanner::skipComment() {
  int dashes = 0;
  for (int c; (c = next()) >= 0;) {
    if (c == '>' && dashes >= 2) return true;
    dashes = c == '-' ? dashes + 1 : 0;
  }
  return fail(kTruncated);
}

bool XmlScanner::cdata() {
  static const char kRest[] = "CDATA[";
  for (const char* p = kRest; *p; ++p) {
    const int c = next();
    if (c != *p) return c < 0 ? fail(kTruncated) : fail(kBadMarkup);
  }
  int brackets = 0;
  for (int c; (c = next()) >= 0;) {
    if (c == ']') {
      ++brackets;
      continue;
    }
    if (c == '>' && brackets >= 2) {
      brackets -= 2;
      for (; brackets > 0; --brackets) text_.put(']', collector());
      return text_.complete() ? true : fail(kBadEncoding);
    }
    for (; brackets > 0; --brackets) text_.put(']', collector());
    if (!text_.put(c, collector())) return fail(kBadEncoding);
  }
  return fail(kTruncated);
}

// <!DOCTYPE ...> with an internal subset in brackets is read past; its
// declarations are not used (entities beyond the five are refused).
bool XmlScanner::skipDoctype() {
  int brackets = 0;
  int quote = 0;
  for (int c; (c = next()) >= 0;) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++brackets;
    } else if (c == ']') {
      --brackets;
    } else if (c == '>' && brackets <= 0) {
      return true;
    }
  }
  return fail(kTruncated);
}

bool XmlScanner::startTag(int first) {
  std::string& name = tagName_;
  int c;
  if (!readName(first, name, c)) return false;
  std::vector<XmlAttribute>& attributes = attributes_;
  std::size_t used = 0;
  for (;;) {
    c = skipSpaces(c);
    if (c < 0) return fail(kTruncated);
    if (c == '>' || c == '/') attributes.resize(used);
    if (c == '>') return openElement();
    if (c == '/') {
      c = next();
      if (c != '>') return c < 0 ? fail(kTruncated) : fail(kBadMarkup);
      return openElement() && closeElement();
    }
    if (used == attributes.size()) attributes.emplace_back();
    XmlAttribute& a = attributes[used];
    a.value.clear();
    if (!readName(c, a.name, c)) return false;
    c = skipSpaces(c);
    if (c != '=') return c < 0 ? fail(kTruncated) : fail(kBadMarkup);
    const int quote = skipSpaces(next());
    if (quote != '"' && quote != '\'') return quote < 0 ? fail(kTruncated) : fail(kBadMarkup);
    while ((c = next()) != quote) {
      if (c < 0) return fail(kTruncated);
      if (c == '<') return fail(kBadMarkup);
      std::string* out = a.value.size() < kMaxAttribute ? &a.value : nullptr;
      if (c == '&') {
        if (!reference(out)) return false;
      } else if (!text_.put(c, out) || !attributeRun(quote, a.value)) {
        return fail(kBadEncoding);
      }
    }
    if (!text_.complete()) return fail(kBadEncoding);
    if (static_cast<int>(used) < kMaxAttributes) ++used;
    c = next();
    if (c != '>' && c != '/' && !isSpace(c)) return c < 0 ? fail(kTruncated) : fail(kBadMarkup);
  }
}

bool XmlScanner::endTag() {
  std::string name;
  int c;
  if (!readName(next(), name, c)) return false;
  c = skipSpaces(c);
  if (c != '>') return c < 0 ? fail(kTruncated) : fail(kBadMarkup);
  if (open_.empty() || open_.back().name != name) return fail(kMismatch);
  return closeElement();
}

bool XmlScanner::openElement() {
  if (static_cast<int>(open_.size()) >= kXmltvMaxDepth) return fail(kTooDeep);
  sawElement_ = true;
  bool keepText = false;
  if (!elements_->openElement(tagName_, attributes_, keepText)) return false;
  open_.push_back({tagName_, keepText});
  collecting_ = keepText;
  if (collecting_) collected_.clear();
  return true;
}

bool XmlScanner::closeElement() {
  const bool kept = open_.back().keepsText;
  open_.pop_back();
  collecting_ = !open_.empty() && open_.back().keepsText;
  if (kept) return elements_->closeElement(collected_);
  std::string none;
  return elements_->closeElement(none);
}
