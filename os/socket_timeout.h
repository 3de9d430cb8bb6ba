// Send time-outs for the servers: a client that stops reading must not hold
// a connection thread forever. Exactly one of socket_timeout_win32.cpp and
// socket_timeout_posix.cpp is built.
#pragma once

#include "os/socket.h"

namespace os {

// After this, a send that can make no progress for `milliseconds` fails
// instead of blocking. False when the option cannot be set.
bool setSendTimeout(SocketHandle socket, int milliseconds);

}  // namespace os
