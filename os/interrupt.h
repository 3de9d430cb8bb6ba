// Ctrl-C (and a polite termination request) as a flag that long-running
// command-line jobs poll, so that they stop cleanly instead of dying.
#pragma once

namespace os {

// Installs the handler once; later calls do nothing.
void catchInterrupts();
// True once an interrupt arrived.
bool interrupted();
// What the shell expects of a process stopped by the interrupt: 130 after
// Ctrl-C (SIGINT), 143 after a termination request (SIGTERM, or a console
// closing); 0 before any.
int interruptExitCode();

}  // namespace os
