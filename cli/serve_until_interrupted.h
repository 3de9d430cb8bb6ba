// The server verbs' last step: the server serves on a thread of its own
// until Ctrl-C, SIGTERM or the console's close stops it, or it ends itself.
#pragma once

#include <atomic>
#include <cstdio>
#include <thread>

#include "os/interrupt.h"
#include "os/os.h"

// `server` has bool serve() (false when it ended by failure) and stop().
// Returns the verb's exit code.
template <class Server>
int serveUntilInterrupted(Server& server, const char* name) {
  std::atomic<bool> ended{false};
  bool served = false;
  std::thread serving([&] {
    served = server.serve();
    ended = true;
  });
  while (!os::interrupted() && !ended) os::sleepMilliseconds(100);
  server.stop();
  serving.join();
  std::fprintf(stderr, "%s stopped\n", name);
  return served ? 0 : 1;
}
