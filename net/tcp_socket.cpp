#include "net/tcp_socket.h"

#include <algorithm>
#include <cstring>

bool TcpSocket::open() {
  if (isOpen()) return false;
  handle_ = os::openTcpSocket();
  return isOpen();
}

bool TcpSocket::connectTo(const std::string& host, int port) {
  port_ = os::networkPort(port);
  // "[::1]", as an address is written beside a port.
  const bool bracketed = host.size() > 2 && host.front() == '[' && host.back() == ']';
  const std::string name = bracketed ? host.substr(1, host.size() - 2) : host;
  if (os::resolveIPv4(name, address_)) return os::connectSocket(handle_, address_, port_);
  unsigned char address6[16];
  if (!os::resolveIPv6(name, address6)) return false;
  // The socket open was made for IPv4.
  os::closeSocket(handle_);
  handle_ = os::openTcpSocket6();
  return isOpen() && os::connectSocket6(handle_, address6, port_);
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
  taken_ = kept_ = 0;
  return closed;
}

int TcpSocket::read(void* buffer, int size) {
  if (!isOpen() || size < 0) return -1;
  const bool heldBefore = taken_ < kept_;
  if (!heldBefore) {
    if (size >= kReceiveBlock) return os::receiveWithin(handle_, buffer, size, readTimeout_);
    if (!received_) received_.reset(new char[kReceiveBlock]);
    int got = os::receiveWithin(handle_, received_.get(), kReceiveBlock, readTimeout_);
    if (got <= 0) return got;
    taken_ = 0;
    kept_ = got;
  }
  int count = std::min(size, kept_ - taken_);
  std::memcpy(buffer, received_.get() + taken_, static_cast<std::size_t>(count));
  taken_ += count;
  if (count < size && heldBefore) {
    // A single receive would also have taken what has arrived since the
    // block was received: a reader asking for a whole frame gets it when it
    // is there.
    int more = os::receiveWithin(handle_, static_cast<char*>(buffer) + count, size - count, 0);
    if (more > 0) count += more;
  }
  return count;
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
