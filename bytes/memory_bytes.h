// In-memory ends for the byte interfaces: read a page, a table file or a
// response from a string (or a fuzzer's buffer, copied), write into one.
// For the tests, the fuzzers, the benchmarks, the tools and the settings
// loader (which reads its file whole).
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "bytes/byte_sink.h"
#include "bytes/byte_source.h"

class StringByteSource : public ByteSource {
 public:
  explicit StringByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
  StringByteSource(const void* data, std::size_t size)
      : bytes_(static_cast<const char*>(data), size) {}
  int nextByte() override {
    if (position_ >= bytes_.size()) return -1;
    return static_cast<unsigned char>(bytes_[position_++]);
  }
  // All the bytes not read yet.
  int peekSpan(const unsigned char*& bytes) override {
    bytes = reinterpret_cast<const unsigned char*>(bytes_.data()) + position_;
    return static_cast<int>(bytes_.size() - position_);
  }
  void consume(int count) override { position_ += static_cast<std::size_t>(count); }
  // Starts again from the first byte.
  void rewind() { position_ = 0; }
  // How many bytes were handed out.
  std::size_t position() const { return position_; }

 private:
  std::string bytes_;
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
