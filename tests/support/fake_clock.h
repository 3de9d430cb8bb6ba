// FakeClock: the Clock of tests and benchmarks. It never sleeps: each wait
// is recorded instead; and once `now` is set it tells that time.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "net/clock.h"

class FakeClock : public Clock {
 public:
  void sleepMilliseconds(int milliseconds) override { sleeps.push_back(milliseconds); }
  std::int64_t nowSeconds() override { return now >= 0 ? now : Clock::nowSeconds(); }
  long long slept() const { return std::accumulate(sleeps.begin(), sleeps.end(), 0LL); }

  std::vector<int> sleeps;
  std::int64_t now = -1;  // seconds since 1970 UTC; -1 is the system's time
};
