// One client of the guide service: reads one request head (bounded in size
// and in time), answers it through the router, and closes. A client that
// sends too slowly, too much, or stops reading is cut off.
#pragma once

#include <atomic>

#include "os/socket.h"

class WebRouter;

struct WebConnectionLimits {
  int requestDeadlineMilliseconds = 10000;  // for the whole head
  int sendTimeoutMilliseconds = 10000;      // a send that makes no progress
  int responseDeadlineMilliseconds = 60000; // for the whole answer
};

// Takes ownership of `socket` and closes it; `stopping` is polled while
// waiting for the request.
void serveWebConnection(os::SocketHandle socket, const WebRouter& router, const WebConnectionLimits& limits,
                        const std::atomic<bool>& stopping);
