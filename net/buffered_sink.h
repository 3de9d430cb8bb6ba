// BufferedSink: a ByteSink over a Stream with a 1024-byte buffer. Destroy it
// before the stream: its destructor flushes what is left.
#pragma once

#include "net/byte_sink.h"
#include "net/stream.h"

class BufferedSink : public ByteSink {
 public:
  explicit BufferedSink(Stream& stream) : stream_(stream) {}
  ~BufferedSink() override { flush(); }
  BufferedSink(const BufferedSink&) = delete;
  BufferedSink& operator=(const BufferedSink&) = delete;

  bool put(unsigned char byte) override {
    if (count_ == static_cast<int>(sizeof buffer_) && !flush()) return false;
    buffer_[count_++] = byte;
    return true;
  }
  bool flush() override;
  bool sync() override { return true; }

 private:
  Stream& stream_;
  unsigned char buffer_[1024];
  int count_ = 0;
};
