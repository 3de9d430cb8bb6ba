// In-memory ends for the byte interfaces: read a page or a table file from
// a string, write a table file into one.
#pragma once

#include <string>

#include "net/byte_sink.h"
#include "net/byte_source.h"

class StringByteSource : public ByteSource {
 public:
  explicit StringByteSource(const std::string& bytes) : bytes_(bytes) {}
  int nextByte() override {
    if (position_ >= bytes_.size()) return -1;
    return static_cast<unsigned char>(bytes_[position_++]);
  }

 private:
  const std::string& bytes_;  // not owned: must outlive the source
  std::size_t position_ = 0;
};

class StringByteSink : public ByteSink {
 public:
  // Refuses every byte after the first `capacity` (to try failing writes).
  explicit StringByteSink(std::size_t capacity = std::string::npos) : capacity_(capacity) {}
  bool put(unsigned char byte) override {
    if (bytes_.size() >= capacity_) return false;
    bytes_ += static_cast<char>(byte);
    return true;
  }
  bool flush() override { return true; }
  bool sync() override { return true; }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t capacity_;
};
