// POSIX side of the socket layer: BSD sockets.
#include "os/socket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace os {

namespace {
int fd(SocketHandle socket) { return static_cast<int>(socket); }

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;  // a closed peer is a result, not SIGPIPE
#else
constexpr int kSendFlags = 0;
#endif

// A connect interrupted by a signal goes on in the background; calling
// connect again would only say EALREADY. Wait for it and take its outcome.
bool finishPendingConnect(int handle) {
  pollfd pending{handle, POLLOUT, 0};
  int ready;
  do {
    ready = ::poll(&pending, 1, -1);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  int error = 0;
  socklen_t length = sizeof error;
  return ::getsockopt(handle, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

// Dotted IPv4 or IPv6 text to a socket address; inet_pton takes no short
// forms such as "127.1".
bool listenAddressOf(const std::string& address, int port, sockaddr_storage& self, socklen_t& size) {
  auto* v4 = reinterpret_cast<sockaddr_in*>(&self);
  if (::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<std::uint16_t>(port));
    size = sizeof *v4;
    return true;
  }
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&self);
  if (::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<std::uint16_t>(port));
    size = sizeof *v6;
    return true;
  }
  return false;
}

std::string numericText(const sockaddr* address) {
  char buffer[INET6_ADDRSTRLEN] = {};
  const void* bytes = address->sa_family == AF_INET6
                          ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr)
                          : static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
  if (::inet_ntop(address->sa_family, bytes, buffer, sizeof buffer) == nullptr) return std::string();
  return buffer;
}

int waitFor(SocketHandle socket, short events, int timeoutMilliseconds) {
  if (socket == kNoSocket) return -1;
  pollfd waiting{fd(socket), events, 0};
  int ready = ::poll(&waiting, 1, timeoutMilliseconds);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  return ready > 0 ? 1 : 0;
}
}  // namespace

bool startSockets() { return true; }

namespace {
SocketHandle openStreamSocket(int family) {
  int handle = ::socket(family, SOCK_STREAM, 0);
  if (handle < 0) return kNoSocket;
  int off = 0;
  ::setsockopt(handle, SOL_SOCKET, SO_KEEPALIVE, &off, sizeof off);
  return handle;
}

bool connectTo(SocketHandle socket, const sockaddr* peer, socklen_t size) {
  if (::connect(fd(socket), peer, size) == 0) return true;
  return errno == EINTR && finishPendingConnect(fd(socket));
}
}  // namespace

SocketHandle openTcpSocket() { return openStreamSocket(AF_INET); }
SocketHandle openTcpSocket6() { return openStreamSocket(AF_INET6); }

bool closeSocket(SocketHandle socket) {
  if (socket == kNoSocket) return true;
  ::shutdown(fd(socket), SHUT_RDWR);
  return ::close(fd(socket)) == 0;
}

bool resolveIPv4(const std::string& host, std::uint32_t& address) {
  if (host.empty()) return false;
  in_addr numeric{};
  if (::inet_aton(host.c_str(), &numeric) != 0) {
    address = numeric.s_addr;
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return true;
}

bool connectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = port;
  peer.sin_addr.s_addr = address;
  return connectTo(socket, reinterpret_cast<sockaddr*>(&peer), sizeof peer);
}

bool resolveIPv6(const std::string& host, unsigned char address[16]) {
  if (host.empty()) return false;
  in6_addr numeric{};
  if (::inet_pton(AF_INET6, host.c_str(), &numeric) == 1) {
    std::memcpy(address, &numeric, 16);
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET6;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  std::memcpy(address, &reinterpret_cast<sockaddr_in6*>(found->ai_addr)->sin6_addr, 16);
  ::freeaddrinfo(found);
  return true;
}

bool connectSocket6(SocketHandle socket, const unsigned char address[16], std::uint16_t port) {
  sockaddr_in6 peer{};
  peer.sin6_family = AF_INET6;
  peer.sin6_port = port;
  std::memcpy(&peer.sin6_addr, address, 16);
  return connectTo(socket, reinterpret_cast<sockaddr*>(&peer), sizeof peer);
}

std::uint16_t networkPort(int port) { return htons(static_cast<std::uint16_t>(port)); }

int waitReadable(SocketHandle socket, int timeoutMilliseconds) {
  return waitFor(socket, POLLIN, timeoutMilliseconds);
}

int receiveWithin(SocketHandle socket, void* buffer, int size, int timeoutMilliseconds) {
  if (socket == kNoSocket) return -1;
  // Bytes already there are taken without a wait; only a receive that would
  // block waits, and then for the whole time-out.
  ssize_t received;
  do {
    received = ::recv(fd(socket), buffer, static_cast<size_t>(size), MSG_DONTWAIT);
  } while (received < 0 && errno == EINTR);
  if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
    if (waitReadable(socket, timeoutMilliseconds) <= 0) return -1;
    received = ::recv(fd(socket), buffer, static_cast<size_t>(size), 0);
  }
  return received < 0 ? -1 : static_cast<int>(received);
}

int sendSome(SocketHandle socket, const void* data, int length) {
  ssize_t sent = ::send(fd(socket), data, static_cast<size_t>(length), kSendFlags);
  return sent < 0 ? -1 : static_cast<int>(sent);
}

int waitWritable(SocketHandle socket, int timeoutMilliseconds) {
  return waitFor(socket, POLLOUT, timeoutMilliseconds);
}

int sendWithoutWaiting(SocketHandle socket, const void* data, int length) {
  ssize_t sent = ::send(fd(socket), data, static_cast<size_t>(length), kSendFlags | MSG_DONTWAIT);
  if (sent >= 0) return static_cast<int>(sent);
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

SocketHandle listenTcp(const std::string& address, int port, int backlog, std::string* failure) {
  sockaddr_storage self{};
  socklen_t size = 0;
  if (!listenAddressOf(address, port, self, size)) {
    if (failure) *failure = "not a numeric address";
    return kNoSocket;
  }
  int handle = ::socket(self.ss_family, SOCK_STREAM, 0);
  if (handle < 0) {
    if (failure) *failure = std::strerror(errno);
    return kNoSocket;
  }
  int on = 1;
  ::setsockopt(handle, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  // "::" means IPv6 only, as "0.0.0.0" means IPv4 only.
  if (self.ss_family == AF_INET6) ::setsockopt(handle, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  if (::bind(handle, reinterpret_cast<sockaddr*>(&self), size) != 0 || ::listen(handle, backlog) != 0) {
    if (failure) *failure = std::strerror(errno);
    ::close(handle);
    return kNoSocket;
  }
  return handle;
}

int boundPort(SocketHandle socket) {
  sockaddr_storage self{};
  socklen_t length = sizeof self;
  if (::getsockname(fd(socket), reinterpret_cast<sockaddr*>(&self), &length) != 0) return -1;
  if (self.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&self)->sin6_port);
  return ntohs(reinterpret_cast<sockaddr_in*>(&self)->sin_port);
}

std::string localAddress(SocketHandle socket) {
  sockaddr_storage self{};
  socklen_t length = sizeof self;
  if (::getsockname(fd(socket), reinterpret_cast<sockaddr*>(&self), &length) != 0) return std::string();
  return numericText(reinterpret_cast<sockaddr*>(&self));
}

bool ipv6Address(const std::string& text, std::string& canonical) {
  in6_addr parsed{};
  char buffer[INET6_ADDRSTRLEN];
  if (::inet_pton(AF_INET6, text.c_str(), &parsed) != 1 ||
      ::inet_ntop(AF_INET6, &parsed, buffer, sizeof buffer) == nullptr)
    return false;
  canonical = buffer;
  return true;
}

bool resolveListenAddress(const std::string& name, std::string& numeric) {
  if (name.empty()) return false;
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  const addrinfo* chosen = nullptr;
  for (const addrinfo* each = found; each; each = each->ai_next) {
    if (each->ai_family == AF_INET && (!chosen || chosen->ai_family != AF_INET)) chosen = each;
    if (each->ai_family == AF_INET6 && !chosen) chosen = each;
  }
  if (chosen) numeric = numericText(chosen->ai_addr);
  ::freeaddrinfo(found);
  return chosen && !numeric.empty();
}

std::string hostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return std::string();
  return name;
}

void shutdownSocket(SocketHandle socket) {
  if (socket != kNoSocket) ::shutdown(fd(socket), SHUT_RDWR);
}

SocketHandle acceptConnection(SocketHandle listener) {
  int handle;
  do {
    handle = ::accept(fd(listener), nullptr, nullptr);
  } while (handle < 0 && errno == EINTR);
  return handle < 0 ? kNoSocket : handle;
}

}  // namespace os
