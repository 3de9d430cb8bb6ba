// ConnectionSlot: one accepted client of a ConnectionServer, shared by the
// server and the thread that serves it. The thread reads and writes through
// it, each within the limits; the server watches how long it has been idle
// and may ask it to give way. The socket is closed by the server once the
// thread has ended, so asking to give way can wake a waiting thread safely.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "net/connection_limits.h"
#include "os/socket.h"

class ConnectionSlot {
 public:
  ConnectionSlot(os::SocketHandle socket, ConnectionLimits limits, std::shared_ptr<const std::atomic<bool>> stopping);
  ~ConnectionSlot();
  ConnectionSlot(const ConnectionSlot&) = delete;
  ConnectionSlot& operator=(const ConnectionSlot&) = delete;

  // The serving thread's side.
  os::SocketHandle socket() const { return socket_; }
  std::uint64_t now() const { return limits_.now(); }
  // When the connection was taken; the first request's clock starts there.
  std::uint64_t acceptedAt() const { return acceptedAt_; }
  // Waits for request bytes until `requestMilliseconds` after
  // `requestStart`: bytes read, or -1 when the connection should end (the
  // peer closed, the deadline passed, the server stops or wants the slot).
  int receive(std::uint64_t requestStart, char* buffer, int size);
  // Sends all of `bytes` within `sendMilliseconds`; false when it could not.
  // A stop lets the reply finish; giving way does not.
  bool sendWhole(const std::string& bytes);
  // The same within `sendMilliseconds` of `start`: the parts of one reply
  // share its time.
  bool sendWhole(const std::string& bytes, std::uint64_t start);
  bool stopping() const { return *stopping_; }
  // Ends the connection for the client (the close follows on the server).
  void finish();

  // The server's side.
  std::uint64_t lastProgress() const { return lastProgress_; }
  bool givingWay() const { return giveWay_; }
  void giveWay();
  bool done() const { return done_; }

 private:
  void madeProgress() { lastProgress_ = limits_.now(); }

  os::SocketHandle socket_;
  ConnectionLimits limits_;
  std::shared_ptr<const std::atomic<bool>> stopping_;
  std::uint64_t acceptedAt_;
  std::atomic<std::uint64_t> lastProgress_;
  std::atomic<bool> giveWay_{false};
  std::atomic<bool> done_{false};
};
