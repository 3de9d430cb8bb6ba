// HtmlTokenizer: the lexical states, text flushing and entity references.
#include "programme/html_tokenizer.h"

#include <algorithm>
#include <cstring>

#include "net/span_reader.h"

namespace {

// isspace and tolower of the default locale, without the locale.
inline bool isSpace(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
inline char lowered(int c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); }

// The first `wanted` in [at, end), or end. Most runs between two tags and
// most values are a few bytes long: a loop finds those before a call would.
inline const unsigned char* find(const unsigned char* at, const unsigned char* end, int wanted) {
  const unsigned char* const near = end - at > 16 ? at + 16 : end;
  for (; at < near; ++at) {
    if (*at == wanted) return at;
  }
  const void* found = std::memchr(at, wanted, static_cast<std::size_t>(end - at));
  return found ? static_cast<const unsigned char*>(found) : end;
}

// Appends [from, end) lowered; `upper` says whether the run holds an
// upper-case letter at all (most names are lower-case already).
inline void appendLowered(std::string& to, const unsigned char* from, const unsigned char* end,
                          bool upper) {
  if (from == end) return;
  std::size_t size = to.size();
  to.append(reinterpret_cast<const char*>(from), static_cast<std::size_t>(end - from));
  if (!upper) return;
  for (auto at = to.begin() + static_cast<std::ptrdiff_t>(size); at != to.end(); ++at) {
    *at = lowered(static_cast<unsigned char>(*at));
  }
}

// `text` is the `size` bytes at `bytes`; a loop, as the names compared are
// a few bytes long.
inline bool sameBytes(const std::string& text, const char* bytes, std::size_t size) {
  if (text.size() != size) return false;
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] != bytes[i]) return false;
  }
  return true;
}

inline void append(std::string& to, const unsigned char* from, const unsigned char* end) {
  if (from != end) to.append(reinterpret_cast<const char*>(from), static_cast<std::size_t>(end - from));
}

// The bytes that end a run in the states that collect runs, as bit masks:
// a name ends at space, tab or '>'; an attribute name at '=', '>' or any
// white; an unquoted value at '>' or any white. Upper-case letters are
// marked too, for the names that must be lowered.
enum : unsigned char { kEndsTagName = 1, kEndsAttrName = 2, kEndsUnquoted = 4, kUpper = 8 };
struct ByteKinds {
  unsigned char of[256] = {};
  constexpr ByteKinds() {
    of[' '] = of['\t'] = kEndsTagName;
    for (int c = 0x09; c <= 0x0D; ++c) of[c] |= kEndsAttrName | kEndsUnquoted;
    of[' '] |= kEndsAttrName | kEndsUnquoted;
    of['>'] = kEndsTagName | kEndsAttrName | kEndsUnquoted;
    of['='] = kEndsAttrName;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] = kUpper;
  }
};
constexpr ByteKinds kByteKinds;

// The first byte of [at, end) of a kind in `ends`, or end; `kinds` gathers
// the kinds of the bytes before it.
inline const unsigned char* runEnd(const unsigned char* at, const unsigned char* end,
                                   unsigned char ends, unsigned char& kinds) {
  unsigned char seen = 0;
  for (; at < end; ++at) {
    unsigned char kind = kByteKinds.of[*at];
    if (kind & ends) break;
    seen |= kind;
  }
  kinds = seen;
  return at;
}

struct Reference {
  const char* name;  // the bytes after '&', with the ';'
  char output;
};
const Reference kReferences[] = {
    {"lt;", '<'}, {"gt;", '>'}, {"nbsp;", ' '}, {"amp;", '&'}, {"quot;", '"'},
};

// The character of the reference that starts after the '&' at text[at - 1],
// and its length; 0 when none of the five is spelt there.
std::size_t matchReference(const std::string& text, std::size_t at, char* output) {
  for (const Reference& reference : kReferences) {
    std::size_t length = std::strlen(reference.name);
    if (text.compare(at, length, reference.name) == 0) {
      *output = reference.output;
      return length;
    }
  }
  return 0;
}

}  // namespace

bool HtmlTokenizer::run(ByteSource* source, HtmlHandler* handler) {
  if (!source || !handler) return false;
  handler_ = handler;
  state_ = State::Text;
  clearState();
  SpanReader input(*source);
  const unsigned char* bytes;
  for (int count; (count = input.next(bytes)) > 0;) {
    const unsigned char* at = bytes;
    bool going = scan(at, bytes + count);
    // Bytes after the one that made the handler stop stay unread.
    input.take(static_cast<int>(at - bytes));
    if (!going) return false;
  }
  return flushText();
}

bool HtmlTokenizer::scan(const unsigned char*& at, const unsigned char* end) {
  // Each state first takes the run of bytes it only collects, in one go,
  // then acts on the byte that ends the run. The usual way through a tag
  // (text, name, attribute name, '=', quoted value) falls from one state
  // into the next without going round the loop.
  while (at < end) {
    const unsigned char* stop;
    unsigned char kinds;
    int c;
    switch (state_) {
      case State::Text:
        // White before any text would be dropped by the flush: the line
        // ends between tags are never collected.
        if (buffer_.empty()) {
          while (at < end && *at <= 0x20) ++at;
        }
        stop = find(at, end, '<');
        append(buffer_, at, stop);
        at = stop;
        if (at == end) return true;
        ++at;
        state_ = State::TagName;
        if (!flushText()) return false;
        if (at == end) return true;
        [[fallthrough]];
      case State::TagName:
        // The slash of an end tag is not kept with its name.
        if (tagName_.empty() && !endTag_ && *at == '/') {
          endTag_ = true;
          ++at;
        }
        // Only space and tab end a name: a line feed becomes part of it.
        stop = runEnd(at, end, kEndsTagName, kinds);
        appendLowered(tagName_, at, stop, kinds & kUpper);
        at = stop;
        if (at == end) return true;
        ++at;
        if (*stop == '>') {
          if (!emitTag()) return false;
          break;
        }
        state_ = State::AttrName;
        if (at == end) return true;
        [[fallthrough]];
      case State::AttrName:
        // White between attributes commits nothing: no name is pending.
        if (attrName_.empty()) {
          while (at < end && isSpace(*at)) ++at;
          if (at == end) return true;
        }
        stop = runEnd(at, end, kEndsAttrName, kinds);
        // A lower-case name whole in this span is stored only when it is
        // kept; left empty, its attribute is dropped as one without a name.
        if (!attrName_.empty() || stop == end || (kinds & kUpper)) {
          appendLowered(attrName_, at, stop, kinds & kUpper);
        } else if (keeps(reinterpret_cast<const char*>(at), static_cast<std::size_t>(stop - at),
                         static_cast<std::size_t>(end - at))) {
          append(attrName_, at, stop);
          nameKept_ = true;
        }
        at = stop;
        if (at == end) return true;
        ++at;
        if (*stop != '=') {
          if (*stop != '>') {
            commitAttribute();
          } else if (!emitTag()) {
            return false;
          }
          break;
        }
        dropping_ = !isKept();
        state_ = State::AfterEquals;
        if (at == end) return true;
        [[fallthrough]];
      case State::AfterEquals:
        c = *at++;
        if (c != '"') {
          if (isSpace(c)) {
            commitAttribute();
            state_ = State::AttrName;
          } else if (c == '>') {
            if (!emitTag()) return false;
          } else {
            buffer_ += static_cast<char>(c);
            state_ = State::UnquotedValue;
          }
          break;
        }
        state_ = State::QuotedValue;
        if (at == end) return true;
        [[fallthrough]];
      case State::QuotedValue:
        // '>' and white are bytes of the value; only '"' ends it.
        stop = find(at, end, '"');
        // A value not kept is needed only when the input ends inside it: as text.
        if (!dropping_ || stop == end) append(buffer_, at, stop);
        at = stop;
        if (at == end) return true;
        ++at;
        commitAttribute();
        state_ = State::AttrName;
        break;
      case State::UnquotedValue:
        stop = runEnd(at, end, kEndsUnquoted, kinds);
        if (!dropping_ || stop == end) append(buffer_, at, stop);
        at = stop;
        if (at == end) return true;
        ++at;
        if (*stop != '>') {
          commitAttribute();
          state_ = State::AttrName;
        } else if (!emitTag()) {
          return false;
        }
        break;
    }
  }
  return true;
}

void HtmlTokenizer::keepOnlyAttributes(std::vector<std::string> names) {
  keptNames_ = std::move(names);
  keptWords_.clear();
  for (const std::string& name : keptNames_) {
    std::uint64_t word = 0;
    std::memcpy(&word, name.data(), std::min<std::size_t>(name.size(), 8));
    keptWords_.emplace_back(word, name.size());
  }
}

bool HtmlTokenizer::keeps(const char* name, std::size_t size, std::size_t readable) const {
  if (keptNames_.empty()) return true;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  if (size <= 8 && readable >= 8) {
    // Eight bytes read at once, those past the name masked off.
    std::uint64_t word;
    std::memcpy(&word, name, 8);
    word &= size == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1;
    bool kept = false;
    for (const auto& keptWord : keptWords_) kept |= (keptWord.first == word) & (keptWord.second == size);
    return kept;
  }
#endif
  for (const std::string& kept : keptNames_) {
    if (sameBytes(kept, name, size)) return true;
  }
  return false;
}

bool HtmlTokenizer::isKept() const {
  return nameKept_ || keeps(attrName_.data(), attrName_.size(), attrName_.size());
}

void HtmlTokenizer::commitAttribute() {
  dropping_ = false;
  const bool kept = !attrName_.empty() && isKept();
  nameKept_ = false;
  if (!kept) {
    // A value without a name is dropped, and so is an attribute not kept.
    attrName_.clear();
    buffer_.clear();
    return;
  }
  if (spareNodes_.empty()) {
    attributes_[attrName_] = buffer_;
  } else {
    StringMap::node_type node = std::move(spareNodes_.back());
    spareNodes_.pop_back();
    // Swapped rather than copied; the spare's old strings are cleared below.
    node.key().swap(attrName_);
    node.mapped().swap(buffer_);
    auto inserted = attributes_.insert(std::move(node));
    if (!inserted.inserted) {
      inserted.position->second.swap(inserted.node.mapped());  // the last one wins
      spareNodes_.push_back(std::move(inserted.node));
    }
  }
  attrName_.clear();
  buffer_.clear();
}

void HtmlTokenizer::clearState() {
  tagName_.clear();
  endTag_ = false;
  attrName_.clear();
  buffer_.clear();
  dropping_ = nameKept_ = false;
  while (!attributes_.empty()) spareNodes_.push_back(attributes_.extract(attributes_.begin()));
}

bool HtmlTokenizer::emitTag() {
  state_ = State::Text;
  bool accepted;
  if (endTag_) {
    accepted = handler_->onEndTag(tagName_);
  } else {
    commitAttribute();
    accepted = handler_->onStartTag(tagName_, attributes_);
  }
  clearState();
  return accepted;
}

bool HtmlTokenizer::flushText() {
  // Text is flushed in state Text, where no tag is pending, and at the end
  // of the input: the collected text is all there is to clear.
  if (buffer_.empty()) return true;
  // Leading and trailing white go, inner runs become one space; the space of
  // &nbsp; is a byte of a word and is never collapsed.
  enum { Start, Word, Gap } white = Start;
  output_.clear();
  const std::size_t size = buffer_.size();
  for (std::size_t i = 0; i < size;) {
    unsigned char c = static_cast<unsigned char>(buffer_[i]);
    if (c <= 0x20) {
      if (white != Start) white = Gap;
      ++i;
      continue;
    }
    if (white == Gap) output_ += ' ';
    white = Word;
    if (c == '&') {
      char decoded;
      std::size_t length = matchReference(buffer_, i + 1, &decoded);
      output_ += length != 0 ? decoded : '&';
      i += 1 + length;
      continue;
    }
    // The rest of the word goes in one piece.
    std::size_t wordEnd = i + 1;
    while (wordEnd < size && static_cast<unsigned char>(buffer_[wordEnd]) > 0x20 &&
           buffer_[wordEnd] != '&') {
      ++wordEnd;
    }
    output_.append(buffer_, i, wordEnd - i);
    i = wordEnd;
  }
  bool accepted = output_.empty() || handler_->onText(output_);
  buffer_.clear();
  return accepted;
}
