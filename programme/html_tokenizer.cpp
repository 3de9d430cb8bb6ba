// HtmlTokenizer: the lexical states, text flushing and entity references.
#include "programme/html_tokenizer.h"

#include <cstring>

namespace {

// isspace and tolower of the default locale, without the locale.
inline bool isSpace(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
inline char lowered(int c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); }

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
  for (int c; (c = source->nextByte()) >= 0;) {
    // Text is most of a page: collect it without the state machine.
    if (state_ == State::Text && c != '<') {
      buffer_ += static_cast<char>(c);
      continue;
    }
    if (!step(c)) return false;
  }
  return flushText();
}

bool HtmlTokenizer::step(int c) {
  switch (state_) {
    case State::Text:
      if (c == '<') {
        state_ = State::TagName;
        return flushText();
      }
      buffer_ += static_cast<char>(c);
      return true;
    case State::TagName:
      // Only space and tab end a name: a line feed becomes part of it.
      if (c == ' ' || c == '\t') {
        state_ = State::AttrName;
      } else if (c == '>') {
        return emitTag();
      } else {
        tagName_ += lowered(c);
      }
      return true;
    case State::AttrName:
      if (c == '=') {
        state_ = State::AfterEquals;
      } else if (isSpace(c)) {
        commitAttribute();
      } else if (c == '>') {
        return emitTag();
      } else {
        attrName_ += lowered(c);
      }
      return true;
    case State::AfterEquals:
      if (c == '"') {
        state_ = State::QuotedValue;
      } else if (isSpace(c)) {
        commitAttribute();
        state_ = State::AttrName;
      } else if (c == '>') {
        return emitTag();
      } else {
        buffer_ += static_cast<char>(c);
        state_ = State::UnquotedValue;
      }
      return true;
    case State::UnquotedValue:
      if (isSpace(c)) {
        commitAttribute();
        state_ = State::AttrName;
      } else if (c == '>') {
        return emitTag();
      } else {
        buffer_ += static_cast<char>(c);
      }
      return true;
    case State::QuotedValue:
      if (c == '"') {
        commitAttribute();
        state_ = State::AttrName;
      } else {
        buffer_ += static_cast<char>(c);
      }
      return true;
  }
  return true;
}

void HtmlTokenizer::commitAttribute() {
  if (!attrName_.empty()) {
    if (spareNodes_.empty()) {
      attributes_[attrName_] = buffer_;
    } else {
      StringMap::node_type node = std::move(spareNodes_.back());
      spareNodes_.pop_back();
      node.key() = attrName_;
      node.mapped() = buffer_;
      auto inserted = attributes_.insert(std::move(node));
      if (!inserted.inserted) {
        inserted.position->second = buffer_;  // the last one wins
        spareNodes_.push_back(std::move(inserted.node));
      }
    }
  }
  attrName_.clear();
  buffer_.clear();
}

void HtmlTokenizer::clearState() {
  tagName_.clear();
  attrName_.clear();
  buffer_.clear();
  while (!attributes_.empty()) spareNodes_.push_back(attributes_.extract(attributes_.begin()));
}

bool HtmlTokenizer::emitTag() {
  state_ = State::Text;
  bool accepted;
  if (!tagName_.empty() && tagName_[0] == '/') {
    endName_.assign(tagName_, 1, std::string::npos);
    accepted = handler_->onEndTag(endName_);
  } else {
    commitAttribute();
    accepted = handler_->onStartTag(tagName_, attributes_);
  }
  clearState();
  return accepted;
}

bool HtmlTokenizer::flushText() {
  if (buffer_.empty()) {
    clearState();
    return true;
  }
  // Leading and trailing white go, inner runs become one space; the space of
  // &nbsp; is a byte of a word and is never collapsed.
  enum { Start, Word, Gap } white = Start;
  output_.clear();
  const std::size_t size = buffer_.size();
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char c = static_cast<unsigned char>(buffer_[i]);
    if (c <= 0x20) {
      if (white != Start) white = Gap;
      continue;
    }
    if (white == Gap) output_ += ' ';
    white = Word;
    char decoded;
    std::size_t length;
    if (c == '&' && (length = matchReference(buffer_, i + 1, &decoded)) != 0) {
      output_ += decoded;
      i += length;
    } else {
      output_ += static_cast<char>(c);
    }
  }
  bool accepted = output_.empty() || handler_->onText(output_);
  clearState();
  return accepted;
}
