// ByteSource: the one-operation input interface of every reader.
#pragma once

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The next byte as 0..255, or -1 at the end and on every later call.
  virtual int nextByte() = 0;
};
