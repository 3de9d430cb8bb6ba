#include "net/buffered_sink.h"

bool BufferedSink::flush() {
  int written = 0;
  while (written < count_) {
    int done = stream_.write(buffer_ + written, count_ - written);
    // A stream that accepts nothing would otherwise spin for ever.
    if (done <= 0) return false;
    written += done;
  }
  count_ = 0;
  return true;
}
