#include "bytes/buffered_reader.h"

void BufferedReader::refill() {
  position_ = 0;
  filled_ = stream_.read(buffer_.data(), static_cast<int>(buffer_.size()));
  if (filled_ <= 0) filled_ = -1;
}
