// LineReader: a ByteSource filter that also reads whole lines (up to LF, CR
// dropped anywhere). Lines are capped so that a peer sending one endless
// line cannot exhaust memory.
#pragma once

#include <string>

#include "bytes/byte_source.h"

class LineReader : public ByteSource {
 public:
  // Bytes a line may take, its CR and LF included.
  static constexpr int kMaxLineBytes = 8192;

  explicit LineReader(ByteSource& source) : source_(source) {}
  int nextByte() override { return source_.nextByte(); }
  int peekSpan(const unsigned char*& bytes) override { return source_.peekSpan(bytes); }
  void consume(int count) override { source_.consume(count); }

  // The next line without CR and LF. True for a line ended by LF, and for a
  // last non-empty line ended by the end of input; false at the end of input
  // (then and from then on) and for a line longer than kMaxLineBytes.
  bool readLine(std::string& text);
  bool atEnd() const { return ended_; }

 private:
  ByteSource& source_;
  bool ended_ = false;
};
