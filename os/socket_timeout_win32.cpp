#include "os/socket_timeout.h"

#include <winsock.h>

namespace os {

bool setSendTimeout(SocketHandle socket, int milliseconds) {
  // Winsock takes the time-out as a DWORD of milliseconds.
  DWORD limit = static_cast<DWORD>(milliseconds);
  return ::setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_SNDTIMEO,
                      reinterpret_cast<const char*>(&limit), sizeof limit) == 0;
}

}  // namespace os
