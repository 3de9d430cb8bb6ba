// LoopbackHttpProxy: an HTTP proxy on 127.0.0.1 for the network tests. It
// demands Basic credentials, records each request head exactly as it came,
// and forwards requests for the hosts it was told about to loopback servers
// in origin form (path only, without "proxy-authorization"). Any other host
// gets 502: it never dials anything but 127.0.0.1.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/loopback_listener.h"

class LoopbackHttpProxy {
 public:
  // `credentials` is the "proxy-authorization" value it accepts.
  explicit LoopbackHttpProxy(const std::string& credentials);
  ~LoopbackHttpProxy();
  LoopbackHttpProxy(const LoopbackHttpProxy&) = delete;
  LoopbackHttpProxy& operator=(const LoopbackHttpProxy&) = delete;

  int port() const { return listener_.port(); }
  // Requests for "http://" + `hostAndPort` (the port as written in the URL,
  // none for 80) go to 127.0.0.1:`loopbackPort`.
  void route(const std::string& hostAndPort, int loopbackPort);
  // The request heads received, one per connection, byte for byte.
  std::vector<std::string> requests() const;

 private:
  void serve();
  void handle(os::SocketHandle client);
  // The forwarded head for `head`, and the loopback port; -1 for no route.
  int rewrite(const std::string& head, std::string& forwarded) const;
  bool authorized(const std::string& head) const;
  void relay(os::SocketHandle from, os::SocketHandle to);

  std::string credentials_;
  LoopbackListener listener_;
  mutable std::mutex lock_;
  std::map<std::string, int> routes_;
  std::vector<std::string> requests_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};
