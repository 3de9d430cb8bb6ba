#include "os/interrupt.h"

#include <windows.h>

namespace os {

namespace {
volatile LONG gInterrupted = 0;  // the exit code it asks for
BOOL WINAPI onConsoleEvent(DWORD event) {
  InterlockedExchange(&gInterrupted, event == CTRL_C_EVENT ? 130 : 143);
  return TRUE;
}
}  // namespace

void catchInterrupts() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool interrupted() { return gInterrupted != 0; }

int interruptExitCode() { return static_cast<int>(gInterrupted); }

}  // namespace os
