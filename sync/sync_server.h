// SyncServer: the companion sync server. It serves the table files of one
// cache directory to sync clients through the shared ConnectionServer: up
// to SyncServerLimits::maxConnections at once, each on a thread of its own;
// when all slots are taken, the connection idle longest gives way to a
// newcomer.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period to finish their reply before
// they are ended.
#pragma once

#include <string>

#include "config/setting_table.h"
#include "net/connection_server.h"
#include "sync/sync_server_limits.h"

class SyncServer {
 public:
  static constexpr int kDefaultPort = kDefaultSyncPort;

  // `cacheDirectory` ends with its separator.
  explicit SyncServer(const std::string& cacheDirectory, SyncServerLimits limits = SyncServerLimits());

  // Binds `address` (numeric IPv4, or IPv6 where there is IPv6) and `port`
  // (0 picks a free one); false with the reason in `failure` when given.
  bool listen(const std::string& address, int port, std::string* failure = nullptr) {
    return connections_.listen(address, port, failure);
  }
  int port() const { return connections_.port(); }
  const SyncServerLimits& limits() const { return connections_.limits(); }

  // Accepts and serves clients until stop. False when not listening or the
  // listening socket fails for good.
  bool serve() { return connections_.serve(); }
  // Makes serve return soon. Only sets a flag, so a signal handler may call it.
  void stop() { connections_.stop(); }
  // Connections being served now; for tests, from any thread.
  int connectionCount() const { return connections_.connectionCount(); }

 private:
  ConnectionServer connections_;
};
