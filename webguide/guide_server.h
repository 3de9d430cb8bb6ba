// GuideServer: the small HTTP/1.0 service that hands the cached guide to
// media centres (see guide_routes.h for what it serves). Each connection is
// served on a thread of its own, at most kMaxConnections at once; further
// clients wait in the listen backlog until a thread is free.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period; one stuck on a client is
// bounded by the send time-out and left to end on its own.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/socket.h"
#include "webguide/web_connection.h"
#include "webguide/web_router.h"

class GuideServer {
 public:
  static constexpr int kDefaultPort = 23851;
  static constexpr int kMaxConnections = 16;

  explicit GuideServer(std::shared_ptr<const WebRouter> router, WebConnectionLimits limits = WebConnectionLimits());
  ~GuideServer();
  GuideServer(const GuideServer&) = delete;
  GuideServer& operator=(const GuideServer&) = delete;

  // Binds `address` (dotted IPv4) and `port` (0 picks a free one).
  bool listen(const std::string& address, int port);
  int port() const { return port_; }

  // Accepts and serves clients until stop. False when not listening or the
  // listening socket fails for good.
  bool serve();
  // Makes serve return soon. Only sets a flag, so a signal handler may call it.
  void stop() { stopping_->store(true); }

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };

  void admit(os::SocketHandle connection);
  void joinFinished();
  void finishAll();

  std::shared_ptr<const WebRouter> router_;
  WebConnectionLimits limits_;
  // Shared with the connection threads, which may outlive the server.
  std::shared_ptr<std::atomic<bool>> stopping_;
  os::SocketHandle listener_ = os::kNoSocket;
  int port_ = -1;
  std::vector<Worker> workers_;
};
