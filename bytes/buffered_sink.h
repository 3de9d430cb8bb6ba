// BufferedSink: a ByteSink over a Stream with a 1024-byte buffer (or a
// larger one where the writer chooses it). Destroy it before the stream:
// its destructor flushes what is left.
#pragma once

#include <vector>

#include "bytes/byte_sink.h"
#include "bytes/stream.h"

class BufferedSink : public ByteSink {
 public:
  static constexpr int kDefaultCapacity = 1024;

  explicit BufferedSink(Stream& stream, int capacity = kDefaultCapacity)
      : stream_(stream), buffer_(static_cast<std::size_t>(capacity > 0 ? capacity : 1)) {}
  ~BufferedSink() override { flush(); }
  BufferedSink(const BufferedSink&) = delete;
  BufferedSink& operator=(const BufferedSink&) = delete;

  bool put(unsigned char byte) override {
    if (count_ == static_cast<int>(buffer_.size()) && !flush()) return false;
    buffer_[static_cast<std::size_t>(count_++)] = byte;
    return true;
  }
  // As many puts, with whole blocks copied at a time.
  int write(const void* data, int length) override;
  bool flush() override;
  bool sync() override { return true; }

 private:
  Stream& stream_;
  std::vector<unsigned char> buffer_;
  int count_ = 0;
};
