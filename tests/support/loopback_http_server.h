// LoopbackHttpServer: a scripted HTTP server on 127.0.0.1 for the network
// tests. Each connection takes the next scripted answer in order; the server
// records the exact request head it received on every connection.
//
// Script the answers before the client connects. Answers are raw bytes, so
// a test can cut a body short, send a broken head, or say nothing at all.
#pragma once

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/loopback_listener.h"

class LoopbackHttpServer {
 public:
  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int port() const { return listener_.port(); }

  // The next connection gets `bytes` after its request head, then is closed.
  void reply(const std::string& bytes);
  // The next connection gets nothing; it stays open until the client goes.
  void staySilent();
  // The next connection gets `bytes`, then `dripped` one byte at a time,
  // `gapMilliseconds` apart, until they are all sent or the client goes.
  void drip(const std::string& bytes, const std::string& dripped, int gapMilliseconds);
  // Once the last scripted answer is taken, the port stops listening, so
  // later connects are refused. Without it, an unscripted connection is
  // closed as soon as its request head has arrived.
  void refuseAfterScript();

  // The request heads received, one per connection, byte for byte.
  std::vector<std::string> requests() const;

 private:
  struct Answer {
    bool silent;
    std::string bytes;
    std::string dripped;
    int gapMilliseconds = 0;
  };
  void serve();
  void answer(os::SocketHandle connection);

  LoopbackListener listener_;
  mutable std::mutex lock_;
  std::deque<Answer> script_;
  bool refuseAfterScript_ = false;
  std::vector<std::string> requests_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};

// A whole response: status line, the given header lines (each without its
// CR LF), an empty line, then `body`.
std::string httpResponse(const std::string& statusLine, const std::vector<std::string>& headers,
                         const std::string& body);
