#include "net/buffered_reader.h"

void BufferedReader::refill() {
  position_ = 0;
  filled_ = stream_.read(buffer_, sizeof buffer_);
  if (filled_ <= 0) filled_ = -1;
}
