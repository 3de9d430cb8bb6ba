#include "os/interrupt.h"

#include <signal.h>

namespace os {

namespace {
volatile sig_atomic_t gInterrupted = 0;
void onSignal(int) { gInterrupted = 1; }
}  // namespace

void catchInterrupts() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

bool interrupted() { return gInterrupted != 0; }

}  // namespace os
