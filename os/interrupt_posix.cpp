#include "os/interrupt.h"

#include <signal.h>

namespace os {

namespace {
volatile sig_atomic_t gInterrupted = 0;  // the signal's number
void onSignal(int number) { gInterrupted = number; }
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

int interruptExitCode() { return gInterrupted == 0 ? 0 : 128 + gInterrupted; }

}  // namespace os
