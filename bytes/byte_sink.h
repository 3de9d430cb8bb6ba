// ByteSink: the output interface; `write` and `newline` are built on `put`.
#pragma once

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool put(unsigned char byte) = 0;
  virtual bool flush() = 0;
  virtual bool sync() = 0;
  // Puts the bytes in order; returns how many were put before a refusal.
  virtual int write(const void* data, int length);
  // Puts CR LF; 2 when both were accepted, otherwise 0.
  virtual int newline();
};
