// SpanReader: walks a ByteSource span by span where it offers spans, byte
// by byte where it does not; the reader takes only the bytes it used.
#pragma once

#include "bytes/byte_source.h"

class SpanReader {
 public:
  explicit SpanReader(ByteSource& source) : source_(source) {}
  // The next bytes to look at; 0 at the end. From a source without spans
  // this is one byte, read already.
  int next(const unsigned char*& bytes) {
    int count = source_.peekSpan(bytes);
    spans_ = count != ByteSource::kNoSpans;
    if (spans_) return count;
    int byte = source_.nextByte();
    if (byte < 0) return 0;
    one_ = static_cast<unsigned char>(byte);
    bytes = &one_;
    return 1;
  }
  // Counts the first `count` bytes of the last span as read.
  void take(int count) {
    if (spans_) source_.consume(count);
  }

 private:
  ByteSource& source_;
  bool spans_ = false;
  unsigned char one_ = 0;
};
