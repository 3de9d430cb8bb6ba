#include "net/clock.h"

#include "os/os.h"

namespace {
class SystemClock : public Clock {
 public:
  void sleepMilliseconds(int milliseconds) override { os::sleepMilliseconds(milliseconds); }
};
}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}
