// Clock: where jobs wait. Tests replace it so that nothing sleeps for real.
#pragma once

#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleepMilliseconds(int milliseconds) = 0;
  // Seconds since 1970-01-01 00:00 UTC, the measure of file times.
  virtual std::int64_t nowSeconds();
};

// The real clock of the operating system.
Clock& systemClock();
