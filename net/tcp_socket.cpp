#include "net/tcp_socket.h"

bool TcpSocket::open() {
  if (isOpen()) return false;
  handle_ = os::openTcpSocket();
  return isOpen();
}

bool TcpSocket::connectTo(const std::string& host, int port) {
  port_ = os::networkPort(port);
  if (!os::resolveIPv4(host, address_)) return false;
  return os::connectSocket(handle_, address_, port_);
}

int TcpSocket::openAndConnect(const std::string& host, int port) {
  return open() && connectTo(host, port) ? 1 : 0;
}

void TcpSocket::adopt(os::SocketHandle accepted) {
  close();
  handle_ = accepted;
}

bool TcpSocket::close() {
  if (!isOpen()) return true;
  bool closed = os::closeSocket(handle_);
  handle_ = os::kNoSocket;
  return closed;
}

int TcpSocket::read(void* buffer, int size) {
  if (!isOpen()) return -1;
  return os::receiveWithin(handle_, buffer, size, readTimeout_);
}

int TcpSocket::write(const void* data, int length) {
  if (length == 0) return 0;
  if (!isOpen()) return -1;
  const char* bytes = static_cast<const char*>(data);
  int sent = 0;
  while (sent < length) {
    int result = os::sendSome(handle_, bytes + sent, length - sent);
    if (result < 0) return -1;
    sent += result;
  }
  return sent;
}
