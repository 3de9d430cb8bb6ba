// Win32 side of the socket layer: Winsock 1.1 (wsock32), blocking sockets.
#include "os/socket.h"

#include <winsock.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace os {

namespace {
SOCKET toSocket(SocketHandle socket) { return static_cast<SOCKET>(socket); }
SocketHandle fromSocket(SOCKET socket) {
  return socket == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(socket);
}

std::mutex startLock;  // test servers may start on their own threads
bool started = false;

void cleanUpSockets() { WSACleanup(); }

bool parseDotted(const std::string& text, std::uint32_t& address) {
  unsigned long numeric = inet_addr(text.c_str());
  if (numeric == INADDR_NONE) return false;
  address = static_cast<std::uint32_t>(numeric);
  return true;
}
// Four decimal parts of 0-255 without leading zeros, as POSIX's inet_pton
// takes them: inet_addr would also take "127.1" and hex or octal forms.
bool isFourPartDecimal(const std::string& text) {
  int parts = 0;
  for (std::size_t at = 0; at <= text.size(); ++parts) {
    std::size_t end = text.find('.', at);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(at, end - at);
    if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
        (part.size() > 1 && part[0] == '0') || std::stoi(part) > 255) {
      return false;
    }
    at = end + 1;
  }
  return parts == 4;
}

// The system's reason for the failures a listen meets.
std::string errorText(int code) {
  switch (code) {
    case WSAEADDRINUSE: return "Address already in use";
    case WSAEADDRNOTAVAIL: return "Cannot assign requested address";
    case WSAEACCES: return "Permission denied";
    default: return "Winsock error " + std::to_string(code);
  }
}
}  // namespace

bool startSockets() {
  std::lock_guard<std::mutex> hold(startLock);
  if (started) return true;
  WSADATA data;
  if (WSAStartup(0x0001, &data) != 0) return false;
  started = true;
  std::atexit(cleanUpSockets);
  return true;
}

SocketHandle openTcpSocket() {
  if (!startSockets()) return kNoSocket;
  SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
  if (handle == INVALID_SOCKET) return kNoSocket;
  int off = 0;
  setsockopt(handle, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&off), sizeof off);
  return fromSocket(handle);
}

bool closeSocket(SocketHandle socket) {
  if (socket == kNoSocket) return true;
  shutdown(toSocket(socket), 2);
  return closesocket(toSocket(socket)) != SOCKET_ERROR;
}

bool resolveIPv4(const std::string& host, std::uint32_t& address) {
  // gethostbyname("") answers with this machine; an empty host names none.
  if (host.empty() || !startSockets()) return false;
  if (parseDotted(host, address)) return true;
  hostent* found = gethostbyname(host.c_str());
  if (found == nullptr || found->h_addr_list[0] == nullptr ||
      found->h_length != static_cast<int>(sizeof address))
    return false;
  std::memcpy(&address, found->h_addr_list[0], sizeof address);
  return true;
}

bool connectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  sockaddr_in peer;
  std::memset(&peer, 0, sizeof peer);
  peer.sin_family = AF_INET;
  peer.sin_port = port;
  peer.sin_addr.s_addr = address;
  return connect(toSocket(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) !=
         SOCKET_ERROR;
}

std::uint16_t networkPort(int port) { return htons(static_cast<u_short>(port)); }

int waitReadable(SocketHandle socket, int timeoutMilliseconds) {
  if (socket == kNoSocket) return -1;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(toSocket(socket), &readable);
  timeval limit;
  limit.tv_sec = timeoutMilliseconds / 1000;
  limit.tv_usec = (timeoutMilliseconds % 1000) * 1000;
  // The first argument is ignored by Winsock; kept for the descriptor rule.
  int ready = select(static_cast<int>(toSocket(socket)) + 1, &readable, nullptr, nullptr, &limit);
  if (ready == SOCKET_ERROR) return -1;
  return ready > 0 ? 1 : 0;
}

int receiveWithin(SocketHandle socket, void* buffer, int size, int timeoutMilliseconds) {
  if (waitReadable(socket, timeoutMilliseconds) <= 0) return -1;
  int received = recv(toSocket(socket), static_cast<char*>(buffer), size, 0);
  return received == SOCKET_ERROR ? -1 : received;
}

int sendSome(SocketHandle socket, const void* data, int length) {
  int sent = send(toSocket(socket), static_cast<const char*>(data), length, 0);
  return sent == SOCKET_ERROR ? -1 : sent;
}

int waitWritable(SocketHandle socket, int timeoutMilliseconds) {
  if (socket == kNoSocket) return -1;
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(toSocket(socket), &writable);
  timeval limit;
  limit.tv_sec = timeoutMilliseconds / 1000;
  limit.tv_usec = (timeoutMilliseconds % 1000) * 1000;
  int ready = select(static_cast<int>(toSocket(socket)) + 1, nullptr, &writable, nullptr, &limit);
  if (ready == SOCKET_ERROR) return -1;
  return ready > 0 ? 1 : 0;
}

int sendWithoutWaiting(SocketHandle socket, const void* data, int length) {
  // Winsock 1.1 has no per-call flag for this: non-blocking for one send.
  u_long nonBlocking = 1;
  if (ioctlsocket(toSocket(socket), FIONBIO, &nonBlocking) == SOCKET_ERROR) return -1;
  int sent = send(toSocket(socket), static_cast<const char*>(data), length, 0);
  bool full = sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK;
  u_long blocking = 0;
  ioctlsocket(toSocket(socket), FIONBIO, &blocking);
  if (full) return 0;
  return sent == SOCKET_ERROR ? -1 : sent;
}

SocketHandle listenTcp(const std::string& address, int port, int backlog, std::string* failure) {
  if (!startSockets()) {
    if (failure) *failure = "no sockets";
    return kNoSocket;
  }
  std::uint32_t local;
  if (!isFourPartDecimal(address) || !parseDotted(address, local)) {
    if (failure) *failure = "not a numeric IPv4 address";
    return kNoSocket;
  }
  SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
  if (handle == INVALID_SOCKET) {
    if (failure) *failure = errorText(WSAGetLastError());
    return kNoSocket;
  }
  sockaddr_in self;
  std::memset(&self, 0, sizeof self);
  self.sin_family = AF_INET;
  self.sin_port = htons(static_cast<u_short>(port));
  self.sin_addr.s_addr = local;
  if (bind(handle, reinterpret_cast<sockaddr*>(&self), sizeof self) == SOCKET_ERROR ||
      listen(handle, backlog) == SOCKET_ERROR) {
    if (failure) *failure = errorText(WSAGetLastError());
    closesocket(handle);
    return kNoSocket;
  }
  return fromSocket(handle);
}

int boundPort(SocketHandle socket) {
  sockaddr_in self;
  int length = sizeof self;
  if (getsockname(toSocket(socket), reinterpret_cast<sockaddr*>(&self), &length) == SOCKET_ERROR)
    return -1;
  return ntohs(self.sin_port);
}

std::string localAddress(SocketHandle socket) {
  sockaddr_in self;
  int length = sizeof self;
  if (getsockname(toSocket(socket), reinterpret_cast<sockaddr*>(&self), &length) == SOCKET_ERROR)
    return std::string();
  return inet_ntoa(self.sin_addr);
}

// Winsock 1.1 has no IPv6.
bool ipv6Address(const std::string&, std::string&) { return false; }

// Winsock 1.1 has no IPv6.
SocketHandle openTcpSocket6() { return kNoSocket; }
bool resolveIPv6(const std::string&, unsigned char[16]) { return false; }
bool connectSocket6(SocketHandle, const unsigned char[16], std::uint16_t) { return false; }

bool resolveListenAddress(const std::string& name, std::string& numeric) {
  std::uint32_t address;
  if (!resolveIPv4(name, address)) return false;
  in_addr text;
  text.s_addr = address;
  numeric = inet_ntoa(text);
  return true;
}

std::string hostName() {
  char name[256] = {};
  if (!startSockets() || gethostname(name, sizeof name - 1) == SOCKET_ERROR) return std::string();
  return name;
}

void shutdownSocket(SocketHandle socket) {
  if (socket != kNoSocket) shutdown(toSocket(socket), 2);
}

SocketHandle acceptConnection(SocketHandle listener) {
  return fromSocket(accept(toSocket(listener), nullptr, nullptr));
}

}  // namespace os
