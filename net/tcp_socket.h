// TcpSocket: the program's one TCP client, a blocking Stream with a read
// time-out per call. The HTTP client opens one per request attempt; the sync
// client uses it for its own protocol. A server may adopt an accepted
// connection to read and write it through the same Stream.
//
// Calling protocol: open, connectTo (or openAndConnect), then read/write,
// then close (the destructor closes too). After close it may be opened again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bytes/stream.h"
#include "os/socket.h"

class TcpSocket : public Stream {
 public:
  static constexpr int kDefaultReadTimeoutMilliseconds = 60000;
  static constexpr int kReceiveBlock = 64 * 1024;

  // Each read waits at most `readTimeoutMilliseconds` for data; tests pass a
  // short one.
  explicit TcpSocket(int readTimeoutMilliseconds = kDefaultReadTimeoutMilliseconds)
      : readTimeout_(readTimeoutMilliseconds) {}
  ~TcpSocket() override { close(); }
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  // Creates the socket; false when one exists already (the first stays).
  bool open();
  // `host` is dotted IPv4 or IPv6 text (used as it is; "[::1]" too) or a
  // name to look up, its IPv4 address first.
  bool connectTo(const std::string& host, int port);
  // 1 when open and connectTo both succeed, otherwise 0. A socket opened
  // but not connected stays open until close.
  int openAndConnect(const std::string& host, int port);
  // Takes over an accepted connection (closing any socket held before).
  void adopt(os::SocketHandle accepted);
  bool isOpen() const { return handle_ != os::kNoSocket; }

  bool close() override;
  // Bytes read, 0 when the peer has closed, -1 on failure or time-out. The
  // socket receives up to kReceiveBlock bytes at once and hands them out
  // over the following reads, so a reader asking for small blocks costs
  // one receive per arrival, not one per block.
  int read(void* buffer, int size) override;
  // `length` once all is sent, 0 for nothing to send, -1 on failure.
  int write(const void* data, int length) override;

 private:
  int readTimeout_;
  std::uint32_t address_ = 0;  // network byte order
  std::uint16_t port_ = 0;     // network byte order
  os::SocketHandle handle_ = os::kNoSocket;
  // Received bytes not yet read: received_[taken_, kept_).
  std::unique_ptr<char[]> received_;
  int taken_ = 0;
  int kept_ = 0;
};
