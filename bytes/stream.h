// Stream: the byte stream under files and sockets.
#pragma once

class Stream {
 public:
  virtual ~Stream() = default;
  virtual bool close() = 0;
  // Bytes read, 0 at the end of the stream, -1 on failure.
  virtual int read(void* buffer, int size) = 0;
  // Bytes written, -1 on failure.
  virtual int write(const void* data, int length) = 0;
};
