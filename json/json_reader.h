// JsonReader: JSON (RFC 8259) read as a stream from a ByteSource, within
// limits on the input's size, the nesting, a string's length and the
// values of one element, so that an answer of any size or shape costs
// bounded memory. A top-level array can be streamed: each element is
// handed over whole, then forgotten (a tuner server's week of programmes
// is tens of megabytes). Time is bounded by the source's read time-out and
// by the handler, which may stop the reading after any element.
//
// Calling protocol: construct over a source, call readDocument or
// readArray once; on failure problem() and error() say what and where.
#pragma once

#include <cstddef>
#include <string>

#include "json/json_value.h"

class ByteSource;

struct JsonLimits {
  std::size_t maxBytes = 16u * 1024 * 1024;   // the whole input
  std::size_t maxStringBytes = 64u * 1024;    // one string or key, as UTF-8
  int maxDepth = 32;                          // arrays and objects open at once
  std::size_t maxValues = 100000;             // values of one element or document
};

enum class JsonProblem {
  None,
  Truncated,      // the input ended inside a value
  BadToken,       // a byte no value or separator begins with
  BadString,      // a control byte or a bad escape in a string
  BadUtf8,        // a string that is not UTF-8
  BadNumber,
  TooDeep,
  StringTooLong,
  TooLarge,       // over maxBytes
  TooManyValues,  // over maxValues
  NotArray,       // readArray on anything else
  TrailingBytes,  // more than white space after the value
  Stopped,        // the handler stopped it
};

class JsonElementHandler {
 public:
  virtual ~JsonElementHandler() = default;
  // May move from `element`. False stops the reading.
  virtual bool onElement(JsonValue& element) = 0;
};

class JsonReader {
 public:
  explicit JsonReader(ByteSource& source, const JsonLimits& limits = {});
  JsonReader(const JsonReader&) = delete;
  JsonReader& operator=(const JsonReader&) = delete;

  // The whole input as one value, nothing but white space after it.
  bool readDocument(JsonValue& value);
  // The input as an array, each element handed over as it is read.
  bool readArray(JsonElementHandler& handler);

  JsonProblem problem() const { return problem_; }
  // The bytes read when the problem was found.
  std::size_t offset() const { return offset_; }
  // "JSON <n>バイト目: <fault>" (Shift-JIS); empty without a problem.
  std::string error() const;

 private:
  int peek();
  int take();
  void skipSpace();
  bool fail(JsonProblem problem);
  bool expect(const char* word);
  bool readValue(JsonValue& value, int depth);
  bool readString(std::string& out);
  bool readEscape(std::string& out);
  bool readUtf8(int lead, std::string& out);
  bool readNumber(std::string& out);
  bool readItems(JsonValue& value, int depth, char close);
  bool countValue();
  bool finish();

  ByteSource& source_;
  JsonLimits limits_;
  int ahead_ = -2;  // the byte peeked at; -2 none
  std::size_t offset_ = 0;
  std::size_t values_ = 0;
  JsonProblem problem_ = JsonProblem::None;
};

// The Japanese text of a problem (Shift-JIS), and its English form.
const char* jsonProblemText(JsonProblem problem);
const char* jsonProblemEnglish(JsonProblem problem);
