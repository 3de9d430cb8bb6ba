// BufferedReader: a ByteSource over any Stream, 1024 bytes at a time (or
// more where the reader chooses it). Any failure of the stream is the end of
// its input, for good.
#pragma once

#include <vector>

#include "bytes/byte_source.h"
#include "bytes/stream.h"

class BufferedReader : public ByteSource {
 public:
  static constexpr int kDefaultCapacity = 1024;

  explicit BufferedReader(Stream& stream, int capacity = kDefaultCapacity)
      : stream_(stream), buffer_(static_cast<std::size_t>(capacity > 0 ? capacity : 1)) {}
  int nextByte() override {
    if (position_ == filled_) refill();
    if (filled_ < 0) return -1;
    return buffer_[static_cast<std::size_t>(position_++)];
  }
  // The rest of the current block.
  int peekSpan(const unsigned char*& bytes) override {
    if (position_ == filled_) refill();
    if (filled_ < 0) return 0;
    bytes = buffer_.data() + position_;
    return filled_ - position_;
  }
  void consume(int count) override { position_ += count; }

 private:
  void refill();

  Stream& stream_;
  std::vector<unsigned char> buffer_;
  int position_ = 0;
  int filled_ = 0;  // -1 once the stream ended or failed
};
