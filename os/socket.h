// The socket side of the OS layer: blocking IPv4 TCP, for clients (the guide
// service, the sync server) and for the servers that tests and demos start.
// Exactly one of socket_win32.cpp (Winsock 1.1, wsock32) and
// socket_posix.cpp (BSD sockets) is built, with socket.cpp for what both
// share. Protocols live above this layer.
//
// A client calls openTcpSocket, resolveIPv4, connectSocket, then
// receiveWithin / sendSome, and closeSocket. A server calls listenTcp
// (port 0 picks a free port; boundPort tells which), then waitReadable and
// acceptConnection in a loop, and closeSocket on the listener at the end.
// Every failure is a result; nothing throws, nothing is shown.
#pragma once

#include <cstdint>
#include <string>

namespace os {

// An open socket; kNoSocket while none exists.
using SocketHandle = std::intptr_t;
constexpr SocketHandle kNoSocket = -1;

// Starts the socket library once per process (WSAStartup version 1.0 on
// Windows, cleaned up at process exit). A failure is retried by the next
// call. The other functions call it themselves where they need it.
bool startSockets();

// A TCP socket with keep-alive probes off; kNoSocket on failure.
SocketHandle openTcpSocket();
// Shuts down both directions and closes. True when the close succeeded.
bool closeSocket(SocketHandle socket);

// IPv4 address of `host` in network byte order: dotted numeric text is taken
// as it is (no lookup); anything else goes to the name resolver. False when
// neither gives an address, and always for an empty host.
bool resolveIPv4(const std::string& host, std::uint32_t& address);
// Blocking connect; `address` and `port` in network byte order. A connect
// that a signal interrupts is waited for, not started again.
bool connectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port);
// Network byte order of a host-order port.
std::uint16_t networkPort(int port);

// 1 when `socket` becomes readable (data, a closed peer, or a connection to
// accept) within `timeoutMilliseconds`, 0 on time-out, -1 on failure.
int waitReadable(SocketHandle socket, int timeoutMilliseconds);
// Waits up to `timeoutMilliseconds` for data, then one receive: bytes read,
// 0 when the peer has closed, -1 on time-out or failure.
int receiveWithin(SocketHandle socket, void* buffer, int size, int timeoutMilliseconds);
// One send call: bytes sent, -1 on failure (never a signal for a closed peer).
int sendSome(SocketHandle socket, const void* data, int length);
// 1 when `socket` can take more bytes to send within `timeoutMilliseconds`,
// 0 on time-out, -1 on failure.
int waitWritable(SocketHandle socket, int timeoutMilliseconds);
// Sends what the socket takes without waiting: bytes sent (0 when its
// buffer is full), -1 on failure. Servers use it with waitWritable so that a
// peer that stops reading cannot hold a thread for ever.
int sendWithoutWaiting(SocketHandle socket, const void* data, int length);
// Sends the whole of `data`; false when any send fails.
bool sendAll(SocketHandle socket, const void* data, int length);

// A listening socket bound to `address` (dotted IPv4, e.g. "127.0.0.1") and
// `port` (host order; 0 picks a free one). kNoSocket on failure.
SocketHandle listenTcp(const std::string& address, int port, int backlog = 8);
// The host-order port a socket is bound to, -1 on failure.
int boundPort(SocketHandle socket);
// Blocks until a connection arrives (use waitReadable first to stay
// stoppable); kNoSocket on failure.
SocketHandle acceptConnection(SocketHandle listener);

}  // namespace os
