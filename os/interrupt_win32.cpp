#include "os/interrupt.h"

#include <windows.h>

namespace os {

namespace {
volatile LONG gInterrupted = 0;
BOOL WINAPI onConsoleEvent(DWORD) {
  InterlockedExchange(&gInterrupted, 1);
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

}  // namespace os
