// A ByteSource over a string that hands out spans of at most `chunk` bytes,
// or, with chunk 0, no spans at all: readers must give the same result
// whichever way their input comes.
#pragma once

#include <string>
#include <utility>

#include "bytes/byte_source.h"

class ChunkedByteSource : public ByteSource {
 public:
  ChunkedByteSource(std::string bytes, int chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  int nextByte() override {
    if (position_ >= bytes_.size()) return -1;
    return static_cast<unsigned char>(bytes_[position_++]);
  }
  int peekSpan(const unsigned char*& bytes) override {
    if (chunk_ == 0) return kNoSpans;
    bytes = reinterpret_cast<const unsigned char*>(bytes_.data()) + position_;
    std::size_t left = bytes_.size() - position_;
    return static_cast<int>(left < static_cast<std::size_t>(chunk_) ? left : chunk_);
  }
  void consume(int count) override { position_ += static_cast<std::size_t>(count); }
  std::size_t position() const { return position_; }

 private:
  std::string bytes_;
  int chunk_;
  std::size_t position_ = 0;
};
