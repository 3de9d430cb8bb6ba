// JsonReader: a recursive descent over one byte of look-ahead, every
// value counted against the limits as it is read.
#include "json/json_reader.h"

#include <cstdint>
#include <utility>

#include "bytes/byte_source.h"
#include "os/text.h"

namespace {

constexpr std::size_t kMaxNumberBytes = 64;

struct ProblemText {
  JsonProblem problem;
  const char* japanese;
  const char* english;
};

const ProblemText kTexts[] = {
    // 途中で終わっています
    {JsonProblem::Truncated, "\x93\x72\x92\x86\x82\xc5\x8f\x49\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7",
     "cut short"},
    // 読めない文字があります
    {JsonProblem::BadToken,
     "\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x95\xb6\x8e\x9a\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7",
     "unexpected character"},
    // 文字列が正しくありません
    {JsonProblem::BadString,
     "\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
     "bad string"},
    // UTF-8として正しくありません
    {JsonProblem::BadUtf8, "UTF-8\x82\xc6\x82\xb5\x82\xc4\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
     "not UTF-8"},
    // 数値が正しくありません
    {JsonProblem::BadNumber,
     "\x90\x94\x92\x6c\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1", "bad number"},
    // 入れ子が深すぎます
    {JsonProblem::TooDeep, "\x93\xfc\x82\xea\x8e\x71\x82\xaa\x90\x5b\x82\xb7\x82\xac\x82\xdc\x82\xb7", "nested too deep"},
    // 文字列が長すぎます
    {JsonProblem::StringTooLong, "\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7",
     "string too long"},
    // 大きすぎます
    {JsonProblem::TooLarge, "\x91\xe5\x82\xab\x82\xb7\x82\xac\x82\xdc\x82\xb7", "too large"},
    // 値が多すぎます
    {JsonProblem::TooManyValues, "\x92\x6c\x82\xaa\x91\xbd\x82\xb7\x82\xac\x82\xdc\x82\xb7", "too many values"},
    // 配列ではありません
    {JsonProblem::NotArray, "\x94\x7a\x97\xf1\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1", "not an array"},
    // 値の後に余分なバイトがあります
    {JsonProblem::TrailingBytes,
     "\x92\x6c\x82\xcc\x8c\xe3\x82\xc9\x97\x5d\x95\xaa\x82\xc8\x83\x6f\x83\x43\x83\x67\x82\xaa\x82\xa0\x82\xe8\x82\xdc"
     "\x82\xb7",
     "bytes after the value"},
    // 中断されました
    {JsonProblem::Stopped, "\x92\x86\x92\x66\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd", "stopped"},
};

const ProblemText* textOf(JsonProblem problem) {
  for (const ProblemText& text : kTexts) {
    if (text.problem == problem) return &text;
  }
  return nullptr;
}

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

int hexValue(int c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

JsonReader::JsonReader(ByteSource& source, const JsonLimits& limits) : source_(source), limits_(limits) {}

int JsonReader::peek() {
  if (ahead_ == -2) ahead_ = source_.nextByte();
  return ahead_;
}

int JsonReader::take() {
  const int c = peek();
  if (c >= 0) {
    ahead_ = -2;
    ++offset_;
  }
  return c;
}

bool JsonReader::fail(JsonProblem problem) {
  if (problem_ == JsonProblem::None) problem_ = problem;
  return false;
}

void JsonReader::skipSpace() {
  while (isSpace(peek())) take();
}

bool JsonReader::countValue() {
  if (offset_ > limits_.maxBytes) return fail(JsonProblem::TooLarge);
  return ++values_ <= limits_.maxValues || fail(JsonProblem::TooManyValues);
}

bool JsonReader::expect(const char* word) {
  for (const char* p = word; *p; ++p) {
    const int c = take();
    if (c < 0) return fail(JsonProblem::Truncated);
    if (c != *p) return fail(JsonProblem::BadToken);
  }
  return true;
}

bool JsonReader::readValue(JsonValue& value, int depth) {
  if (!countValue()) return false;
  skipSpace();
  const int c = peek();
  switch (c) {
    case -1: return fail(JsonProblem::Truncated);
    case '{':
    case '[':
      if (depth >= limits_.maxDepth) return fail(JsonProblem::TooDeep);
      take();
      value.type = c == '{' ? JsonType::Object : JsonType::Array;
      return readItems(value, depth + 1, c == '{' ? '}' : ']');
    case '"':
      take();
      value.type = JsonType::String;
      return readString(value.text);
    case 't':
      value.type = JsonType::Bool;
      value.boolean = true;
      return expect("true");
    case 'f':
      value.type = JsonType::Bool;
      return expect("false");
    case 'n':
      value.type = JsonType::Null;
      return expect("null");
    default:
      if (c != '-' && !isDigit(c)) return fail(JsonProblem::BadToken);
      value.type = JsonType::Number;
      return readNumber(value.text);
  }
}

bool JsonReader::readItems(JsonValue& value, int depth, char close) {
  const bool object = close == '}';
  skipSpace();
  if (peek() == close) return take(), true;
  for (;;) {
    if (object) {
      skipSpace();
      const int quote = take();
      if (quote != '"') return fail(quote < 0 ? JsonProblem::Truncated : JsonProblem::BadToken);
      value.keys.emplace_back();
      if (!readString(value.keys.back())) return false;
      skipSpace();
      const int colon = take();
      if (colon != ':') return fail(colon < 0 ? JsonProblem::Truncated : JsonProblem::BadToken);
    }
    value.items.emplace_back();
    if (!readValue(value.items.back(), depth)) return false;
    skipSpace();
    const int next = take();
    if (next == close) return true;
    if (next != ',') return fail(next < 0 ? JsonProblem::Truncated : JsonProblem::BadToken);
  }
}

bool JsonReader::readString(std::string& out) {
  for (;;) {
    if (out.size() > limits_.maxStringBytes) return fail(JsonProblem::StringTooLong);
    const int c = take();
    if (c < 0) return fail(JsonProblem::Truncated);
    if (c == '"') return true;
    if (c < 0x20) return fail(JsonProblem::BadString);
    if (c == '\\') {
      if (!readEscape(out)) return false;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (!readUtf8(c, out)) {
      return false;
    }
  }
}

bool JsonReader::readEscape(std::string& out) {
  const int c = take();
  switch (c) {
    case -1: return fail(JsonProblem::Truncated);
    case '"': case '\\': case '/': out += static_cast<char>(c); return true;
    case 'b': out += '\b'; return true;
    case 'f': out += '\f'; return true;
    case 'n': out += '\n'; return true;
    case 'r': out += '\r'; return true;
    case 't': out += '\t'; return true;
    case 'u': break;
    default: return fail(JsonProblem::BadString);
  }
  auto hex4 = [this](std::uint32_t& code) {
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const int c = take();
      if (c < 0) return fail(JsonProblem::Truncated);
      const int digit = hexValue(c);
      if (digit < 0) return fail(JsonProblem::BadString);
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  };
  std::uint32_t code = 0;
  if (!hex4(code)) return false;
  if (code >= 0xD800 && code < 0xDC00 && peek() == '\\') {
    // A pair's second half; a lone half stands for a character not there.
    take();
    if (take() != 'u') return fail(JsonProblem::BadString);
    std::uint32_t low = 0;
    if (!hex4(low)) return false;
    if (low >= 0xDC00 && low < 0xE000) {
      os::appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
      return true;
    }
    os::appendUtf8(out, 0xFFFD);
    code = low;
  }
  os::appendUtf8(out, code >= 0xD800 && code < 0xE000 ? 0xFFFD : code);
  return true;
}

// Checked as RFC 3629 has it: no overlong form, no surrogate, nothing past U+10FFFF.
bool JsonReader::readUtf8(int lead, std::string& out) {
  int more;
  std::uint32_t minimum;
  std::uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) more = 1, minimum = 0x80, code = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) more = 2, minimum = 0x800, code = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) more = 3, minimum = 0x10000, code = lead & 0x07;
  else return fail(JsonProblem::BadUtf8);
  out += static_cast<char>(lead);
  for (int i = 0; i < more; ++i) {
    const int c = peek();
    if (c < 0) return fail(JsonProblem::Truncated);
    if ((c & 0xC0) != 0x80) return fail(JsonProblem::BadUtf8);
    take();
    code = (code << 6) | (c & 0x3F);
    out += static_cast<char>(c);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return fail(JsonProblem::BadUtf8);
  return true;
}

bool JsonReader::readNumber(std::string& out) {
  auto digits = [&]() {
    const std::size_t before = out.size();
    while (isDigit(peek()) && out.size() <= kMaxNumberBytes) out += static_cast<char>(take());
    return out.size() > before;
  };
  if (peek() == '-') out += static_cast<char>(take());
  if (peek() == '0') out += static_cast<char>(take());
  else if (!digits()) return fail(peek() < 0 ? JsonProblem::Truncated : JsonProblem::BadNumber);
  if (peek() == '.') {
    out += static_cast<char>(take());
    if (!digits()) return fail(peek() < 0 ? JsonProblem::Truncated : JsonProblem::BadNumber);
  }
  if (peek() == 'e' || peek() == 'E') {
    out += static_cast<char>(take());
    if (peek() == '+' || peek() == '-') out += static_cast<char>(take());
    if (!digits()) return fail(peek() < 0 ? JsonProblem::Truncated : JsonProblem::BadNumber);
  }
  if (out.size() > kMaxNumberBytes || isDigit(peek())) return fail(JsonProblem::BadNumber);
  return true;
}

bool JsonReader::finish() {
  skipSpace();
  if (offset_ > limits_.maxBytes) return fail(JsonProblem::TooLarge);
  return peek() < 0 || fail(JsonProblem::TrailingBytes);
}

bool JsonReader::readDocument(JsonValue& value) {
  value = JsonValue();
  return readValue(value, 0) && finish();
}

bool JsonReader::readArray(JsonElementHandler& handler) {
  skipSpace();
  const int open = take();
  if (open != '[') return fail(open < 0 ? JsonProblem::Truncated : JsonProblem::NotArray);
  skipSpace();
  if (peek() == ']') return take(), finish();
  for (;;) {
    values_ = 0;
    JsonValue element;
    if (!readValue(element, 1)) return false;
    if (!handler.onElement(element)) return fail(JsonProblem::Stopped);
    skipSpace();
    const int next = take();
    if (next == ']') return finish();
    if (next != ',') return fail(next < 0 ? JsonProblem::Truncated : JsonProblem::BadToken);
  }
}

std::string JsonReader::error() const {
  if (problem_ == JsonProblem::None) return std::string();
  // JSON <n>バイト目: 
  return "JSON " + std::to_string(offset_) + "\x83\x6f\x83\x43\x83\x67\x96\xda: " + jsonProblemText(problem_);
}

const char* jsonProblemText(JsonProblem problem) {
  const ProblemText* text = textOf(problem);
  return text ? text->japanese : "";
}

const char* jsonProblemEnglish(JsonProblem problem) {
  const ProblemText* text = textOf(problem);
  return text ? text->english : "";
}
