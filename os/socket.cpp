// The socket functions that are the same on both sides, built on the
// platform's sendSome.
#include "os/socket.h"

namespace os {

bool sendAll(SocketHandle socket, const void* data, int length) {
  const char* bytes = static_cast<const char*>(data);
  int sent = 0;
  while (sent < length) {
    int result = sendSome(socket, bytes + sent, length - sent);
    if (result <= 0) return false;
    sent += result;
  }
  return true;
}

}  // namespace os
