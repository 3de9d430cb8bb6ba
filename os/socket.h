// The socket side of the OS layer: blocking TCP, for clients (the guide
// service, the sync server) and for the servers. Clients and servers speak
// IPv4, and IPv6 too where the platform has it (not Winsock 1.1).
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
// The IPv6 side of a client, where there is IPv6 (elsewhere each fails):
// a socket for it; the 16 bytes of `host`'s address, IPv6 text taken as it
// is, anything else asked of the name resolver; a blocking connect.
SocketHandle openTcpSocket6();
bool resolveIPv6(const std::string& host, unsigned char address[16]);
bool connectSocket6(SocketHandle socket, const unsigned char address[16], std::uint16_t port);
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

// A listening socket bound to `address` (dotted IPv4, e.g. "127.0.0.1", or
// an IPv6 address where ipv6Address takes one) and `port` (host order; 0
// picks a free one). kNoSocket on failure, with the system's reason in
// `failure` ("Address already in use") when given.
SocketHandle listenTcp(const std::string& address, int port, int backlog = 8, std::string* failure = nullptr);
// The host-order port a socket is bound to, -1 on failure.
int boundPort(SocketHandle socket);
// The numeric address of the socket's own end ("127.0.0.1", "::1"); empty
// on failure.
std::string localAddress(SocketHandle socket);
// The canonical text of an IPv6 address ("::1" of "0:0::1"); false for
// anything else, and always where IPv6 is not available.
bool ipv6Address(const std::string& text, std::string& canonical);
// The numeric address a host name resolves to for listening: its first
// IPv4 address, else (where there is IPv6) its first IPv6 one.
bool resolveListenAddress(const std::string& name, std::string& numeric);
// This machine's name, empty when it has none.
std::string hostName();
// Ends both directions without closing: a thread waiting on the socket
// wakes and sees the end. The handle stays valid until closeSocket.
void shutdownSocket(SocketHandle socket);
// Blocks until a connection arrives (use waitReadable first to stay
// stoppable); kNoSocket on failure.
SocketHandle acceptConnection(SocketHandle listener);

}  // namespace os
