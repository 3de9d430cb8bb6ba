// ConnectionServer: the listener and connection threads that the sync
// server and the guide service share. Each accepted client is served on a
// thread of its own through a ConnectionSlot, at most
// ConnectionLimits::maxConnections at once; when all are taken and a
// newcomer waits, the connection idle longest is asked to give way.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period to finish their reply before
// they are ended.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/connection_limits.h"
#include "net/connection_slot.h"
#include "os/socket.h"

class ConnectionServer {
 public:
  // Serves one client on its thread; the slot is finished after it returns.
  // Several run at once, so what it captures must be safe to share.
  using Serve = std::function<void(ConnectionSlot&)>;

  ConnectionServer(ConnectionLimits limits, Serve serve);
  ~ConnectionServer();
  ConnectionServer(const ConnectionServer&) = delete;
  ConnectionServer& operator=(const ConnectionServer&) = delete;

  // Binds `address` (numeric, as os::listenTcp takes it) and `port` (0 picks
  // a free one). False with the system's reason in `failure` when given.
  bool listen(const std::string& address, int port, std::string* failure = nullptr);
  int port() const { return port_; }
  const ConnectionLimits& limits() const { return limits_; }

  // Accepts and serves clients until stop. False when not listening or the
  // listening socket fails for good.
  bool serve();
  // Makes serve return soon. Only sets a flag, so a signal handler may call it.
  void stop() { stopping_->store(true); }
  // Connections being served now; for tests, from any thread.
  int connectionCount() const { return connectionCount_; }

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<ConnectionSlot> slot;
  };

  bool isFull() const { return workers_.size() >= static_cast<std::size_t>(limits_.maxConnections); }
  void admit(os::SocketHandle connection);
  // Asks the connection idle longest to end, unless one is ending already.
  void makeRoom();
  void joinFinished();
  void finishAll();

  ConnectionLimits limits_;
  Serve serve_;
  // Shared with the connection threads.
  std::shared_ptr<std::atomic<bool>> stopping_;
  os::SocketHandle listener_ = os::kNoSocket;
  int port_ = -1;
  std::vector<Worker> workers_;
  std::atomic<int> connectionCount_{0};
};
