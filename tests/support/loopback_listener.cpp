#include "tests/support/loopback_listener.h"

LoopbackListener::LoopbackListener(int port) : handle_(os::listenTcp("127.0.0.1", port)) {
  if (isListening()) port_ = os::boundPort(handle_);
}

os::SocketHandle LoopbackListener::acceptWithin(int milliseconds) {
  if (!isListening() || os::waitReadable(handle_, milliseconds) <= 0) return os::kNoSocket;
  return os::acceptConnection(handle_);
}

void LoopbackListener::close() {
  os::closeSocket(handle_);
  handle_ = os::kNoSocket;
}

std::string readRequestHead(os::SocketHandle connection, int idleMilliseconds) {
  std::string head;
  char byte;
  while (head.size() < 65536) {
    // One byte at a time, so nothing after the head is swallowed.
    if (os::receiveWithin(connection, &byte, 1, idleMilliseconds) != 1) break;
    head += byte;
    if (head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0) break;
  }
  return head;
}

void waitForPeerToClose(os::SocketHandle connection, const std::atomic<bool>& stillWanted) {
  char scratch[512];
  while (stillWanted) {
    int ready = os::waitReadable(connection, 20);
    if (ready < 0) return;
    if (ready > 0 && os::receiveWithin(connection, scratch, sizeof scratch, 0) <= 0) return;
  }
}
