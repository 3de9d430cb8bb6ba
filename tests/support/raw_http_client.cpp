#include "tests/support/raw_http_client.h"

#include <cstdint>

#include "os/socket.h"

std::string roundTrip(int port, const std::string& request, int waitMilliseconds) {
  os::SocketHandle socket = os::openTcpSocket();
  std::uint32_t address = 0;
  os::resolveIPv4("127.0.0.1", address);
  if (!os::connectSocket(socket, address, os::networkPort(port))) return "no connection";
  os::sendAll(socket, request.data(), static_cast<int>(request.size()));
  std::string reply;
  char buffer[8192];
  for (int got; (got = os::receiveWithin(socket, buffer, sizeof buffer, waitMilliseconds)) > 0;) reply.append(buffer, got);
  os::closeSocket(socket);
  return reply;
}

std::string headerOf(const std::string& reply, const std::string& name) {
  const std::size_t at = reply.find("\r\n" + name + ": ");
  if (at == std::string::npos) return std::string();
  const std::size_t start = at + name.size() + 4;
  return reply.substr(start, reply.find("\r\n", start) - start);
}
