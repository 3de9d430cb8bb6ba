// What a server's --listen takes as people type it: a full dotted IPv4
// address, "localhost" or another host name, or an IPv6 address (bare or in
// brackets; not on Windows, whose sockets have no IPv6). Short numeric forms
// such as "0" or "127.1", which the old resolvers silently widen to
// 0.0.0.0 and 127.0.0.1, are refused with what to write instead.
#pragma once

#include <string>

struct ListenAddress {
  std::string numeric;  // what the socket binds: "127.0.0.1", "::1"
  bool loopbackOnly = false;  // only this machine can connect
};

// False with a one-line reason in `failure`.
bool readListenAddress(const std::string& typed, ListenAddress& address, std::string& failure);
// "127.0.0.1:23851" or "[::1]:23851".
std::string addressWithPort(const std::string& numeric, int port);
