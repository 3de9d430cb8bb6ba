#include "net/clock.h"

#include "os/os.h"

namespace {
class SystemClock : public Clock {
 public:
  void sleepMilliseconds(int milliseconds) override { os::sleepMilliseconds(milliseconds); }
};
}  // namespace

std::int64_t Clock::nowSeconds() { return os::currentUnixTime(); }

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}
