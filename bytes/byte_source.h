// ByteSource: the one-operation input interface of every reader.
#pragma once

class ByteSource {
 public:
  static constexpr int kNoSpans = -2;

  virtual ~ByteSource() = default;
  // The next byte as 0..255, or -1 at the end and on every later call.
  virtual int nextByte() = 0;

  // For readers that look at many bytes at a time. peekSpan points `bytes`
  // at the bytes the source holds ready, without reading them, and returns
  // how many (0 at the end); consume then counts the first `count` of them
  // as read. A source that keeps no such block returns kNoSpans and is read
  // byte by byte. Spans and single bytes may be mixed.
  virtual int peekSpan(const unsigned char*& bytes) { return kNoSpans; }
  virtual void consume(int count) {}
};
