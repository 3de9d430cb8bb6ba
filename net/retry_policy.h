// RetryPolicy: how often a page fetch is tried and how long is waited
// between tries.
#pragma once

struct RetryPolicy {
  int attempts = 3;
  int waitSeconds = 30;
};
