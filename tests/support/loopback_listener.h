// LoopbackListener: a listening socket on 127.0.0.1 for the servers the tests
// start themselves, with a stoppable accept. Also reads request heads.
#pragma once

#include <atomic>
#include <string>

#include "os/socket.h"

class LoopbackListener {
 public:
  // Port 0 picks a free port.
  explicit LoopbackListener(int port = 0);
  ~LoopbackListener() { close(); }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  bool isListening() const { return handle_ != os::kNoSocket; }
  int port() const { return port_; }
  // A connection that arrives within `milliseconds`, or kNoSocket.
  os::SocketHandle acceptWithin(int milliseconds);
  // Stops listening: later connects are refused.
  void close();

 private:
  os::SocketHandle handle_;
  int port_ = -1;
};

// The bytes of one request head, through its empty line (at most 64 KiB);
// what arrived so far when the peer stops sending for `idleMilliseconds`.
std::string readRequestHead(os::SocketHandle connection, int idleMilliseconds);

// Waits until the peer closes the connection (or `stillWanted` turns false),
// discarding whatever it sends.
void waitForPeerToClose(os::SocketHandle connection, const std::atomic<bool>& stillWanted);
