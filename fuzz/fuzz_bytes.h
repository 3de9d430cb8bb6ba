// What the fuzz targets share: fuzz input as a ByteSource, and a table's
// file bytes for comparing tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/byte_sink.h"
#include "net/byte_source.h"
#include "programme/programme_table.h"

class BytesSource : public ByteSource {
 public:
  BytesSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit BytesSource(const std::string& bytes)
      : BytesSource(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) {}
  int nextByte() override { return position_ < size_ ? data_[position_++] : -1; }
  std::size_t position() const { return position_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class StringSink : public ByteSink {
 public:
  bool put(unsigned char byte) override {
    bytes += static_cast<char>(byte);
    return true;
  }
  bool flush() override { return true; }
  bool sync() override { return true; }
  std::string bytes;
};

// The table file of `table`; a table that cannot be written is a finding.
inline std::string fileOf(const ProgrammeTable& table) {
  StringSink sink;
  if (!table.write(sink)) std::abort();
  return sink.bytes;
}
