// BufferedReader: a ByteSource over any Stream, 1024 bytes at a time. Any
// failure of the stream is the end of its input, for good.
#pragma once

#include "net/byte_source.h"
#include "net/stream.h"

class BufferedReader : public ByteSource {
 public:
  explicit BufferedReader(Stream& stream) : stream_(stream) {}
  int nextByte() override {
    if (position_ == filled_) refill();
    if (filled_ < 0) return -1;
    return buffer_[position_++];
  }
  // The rest of the current block.
  int peekSpan(const unsigned char*& bytes) override {
    if (position_ == filled_) refill();
    if (filled_ < 0) return 0;
    bytes = buffer_ + position_;
    return filled_ - position_;
  }
  void consume(int count) override { position_ += count; }

 private:
  void refill();

  Stream& stream_;
  unsigned char buffer_[1024];
  int position_ = 0;
  int filled_ = 0;  // -1 once the stream ended or failed
};
