#include "bytes/buffered_sink.h"

#include <algorithm>
#include <cstring>

bool BufferedSink::flush() {
  int written = 0;
  while (written < count_) {
    int done = stream_.write(buffer_.data() + written, count_ - written);
    // A stream that accepts nothing would otherwise spin for ever.
    if (done <= 0) {
      // What reached the stream is gone from the buffer: a later flush
      // carries on after it instead of writing it twice.
      std::memmove(buffer_.data(), buffer_.data() + written, static_cast<std::size_t>(count_ - written));
      count_ -= written;
      return false;
    }
    written += done;
  }
  count_ = 0;
  return true;
}

int BufferedSink::write(const void* data, int length) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  const int capacity = static_cast<int>(buffer_.size());
  int done = 0;
  while (done < length) {
    if (count_ == capacity && !flush()) return done;
    const int chunk = std::min(capacity - count_, length - done);
    std::memcpy(buffer_.data() + count_, bytes + done, static_cast<std::size_t>(chunk));
    count_ += chunk;
    done += chunk;
  }
  return done;
}
