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

// Walks a ByteSource span by span where it offers spans, byte by byte where
// it does not; the reader takes only the bytes it used.
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
