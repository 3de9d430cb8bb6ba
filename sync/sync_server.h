// SyncServer: the companion sync server. It serves the table files of one
// cache directory to sync clients, up to SyncServerLimits::maxConnections
// at once, each on a thread of its own; when all slots are taken, the
// connection idle longest gives way to a newcomer.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period to finish their reply before
// they are ended.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/socket.h"
#include "sync/sync_connection.h"
#include "sync/sync_server_limits.h"
#include "sync/sync_table_folder.h"

class SyncServer {
 public:
  static constexpr int kDefaultPort = 23850;

  // `cacheDirectory` ends with its separator.
  explicit SyncServer(const std::string& cacheDirectory, SyncServerLimits limits = SyncServerLimits());
  ~SyncServer();
  SyncServer(const SyncServer&) = delete;
  SyncServer& operator=(const SyncServer&) = delete;

  // Binds `address` (dotted IPv4) and `port` (0 picks a free one).
  bool listen(const std::string& address, int port);
  int port() const { return port_; }
  const SyncServerLimits& limits() const { return limits_; }

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
    std::shared_ptr<SyncConnectionState> state;
  };

  bool isFull() const { return workers_.size() >= static_cast<std::size_t>(limits_.maxConnections); }
  void admit(os::SocketHandle connection);
  // Asks the connection idle longest to end, unless one is ending already.
  void makeRoom();
  void joinFinished();
  void finishAll();

  SyncTableFolder folder_;
  SyncServerLimits limits_;
  // Shared with the connection threads.
  std::shared_ptr<std::atomic<bool>> stopping_;
  os::SocketHandle listener_ = os::kNoSocket;
  int port_ = -1;
  std::vector<Worker> workers_;
  std::atomic<int> connectionCount_{0};
};
