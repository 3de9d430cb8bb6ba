// ConnectionLimits: how much a server gives each client. A client gets a
// slot of its own; when all are taken, the connection idle longest gives way
// to the newcomer. Every request must arrive whole within its own deadline
// and every reply must leave within its own time, so a client that dribbles
// or never reads cannot keep a slot. Tests shorten the times and put a
// hand-moved clock in place of the steady one.
#pragma once

#include <cstdint>
#include <functional>

#include "os/os.h"

struct ConnectionLimits {
  int maxConnections = 16;
  // From the connect (or the end of the previous reply) to a complete request.
  int requestMilliseconds = 5000;
  // For sending one whole reply.
  int sendMilliseconds = 30000;
  // Milliseconds of a steadily increasing clock.
  std::function<std::uint64_t()> now = os::tickMilliseconds;
};
