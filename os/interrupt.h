// Ctrl-C (and a polite termination request) as a flag that long-running
// command-line jobs poll, so that they stop cleanly instead of dying.
#pragma once

namespace os {

// Installs the handler once; later calls do nothing.
void catchInterrupts();
// True once an interrupt arrived.
bool interrupted();

}  // namespace os
