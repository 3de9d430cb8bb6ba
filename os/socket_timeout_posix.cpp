#include "os/socket_timeout.h"

#include <sys/socket.h>
#include <sys/time.h>

namespace os {

bool setSendTimeout(SocketHandle socket, int milliseconds) {
  timeval limit{};
  limit.tv_sec = milliseconds / 1000;
  limit.tv_usec = (milliseconds % 1000) * 1000;
  return ::setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0;
}

}  // namespace os
