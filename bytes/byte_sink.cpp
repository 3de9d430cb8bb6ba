#include "bytes/byte_sink.h"

int ByteSink::write(const void* data, int length) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (int i = 0; i < length; ++i) {
    if (!put(bytes[i])) return i;
  }
  return length;
}

int ByteSink::newline() { return put('\r') && put('\n') ? 2 : 0; }
