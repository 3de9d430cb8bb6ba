// GuideServer: the small HTTP/1.0 service that hands the cached guide to
// media centres and browsers (see guide_routes.h for what it serves),
// through the shared ConnectionServer: each connection on a thread of its
// own, at most ConnectionLimits::maxConnections at once, the idlest giving
// way to a newcomer when all are taken. Only requests whose Host is one of
// the AllowedHosts are answered.
//
// Calling protocol: listen, then serve (blocks) on one thread; stop from any
// other thread or from a signal handler makes serve return. Connections
// still running then get a short grace period before they are ended.
#pragma once

#include <memory>
#include <string>

#include "net/connection_server.h"
#include "webguide/allowed_hosts.h"
#include "webguide/web_connection.h"
#include "webguide/web_router.h"

class GuideServer {
 public:
  static constexpr int kDefaultPort = 23851;

  explicit GuideServer(std::shared_ptr<const WebRouter> router, ConnectionLimits limits = webConnectionLimits(),
                       AllowedHosts hosts = AllowedHosts());

  // Binds `address` (numeric IPv4, or IPv6 where there is IPv6) and `port`
  // (0 picks a free one); false with the reason in `failure` when given.
  bool listen(const std::string& address, int port, std::string* failure = nullptr) {
    return connections_.listen(address, port, failure);
  }
  int port() const { return connections_.port(); }
  const ConnectionLimits& limits() const { return connections_.limits(); }

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
