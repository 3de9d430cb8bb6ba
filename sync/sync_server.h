// SyncServer: the companion sync server. It serves the table files of one
// cache directory to sync clients, several at once, each on a thread of its
// own.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period to finish their reply; one
// stuck on a client that stopped reading is left to end with the process.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/socket.h"
#include "sync/sync_table_folder.h"

class SyncServer {
 public:
  static constexpr int kDefaultPort = 23850;
  static constexpr int kMaxConnections = 16;

  // `cacheDirectory` ends with its separator.
  explicit SyncServer(const std::string& cacheDirectory);
  ~SyncServer();
  SyncServer(const SyncServer&) = delete;
  SyncServer& operator=(const SyncServer&) = delete;

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

  SyncTableFolder folder_;
  // Shared with the connection threads, which may outlive the server.
  std::shared_ptr<std::atomic<bool>> stopping_;
  os::SocketHandle listener_ = os::kNoSocket;
  int port_ = -1;
  std::vector<Worker> workers_;
};
