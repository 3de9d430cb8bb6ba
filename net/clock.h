// Clock: where jobs wait. Tests replace it so that nothing sleeps for real.
#pragma once

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleepMilliseconds(int milliseconds) = 0;
};

// The real clock of the operating system.
Clock& systemClock();
