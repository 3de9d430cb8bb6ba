#include "tests/support/loopback_http_server.h"

#include "os/os.h"

namespace {
const int kPollMilliseconds = 20;
const int kHeadIdleMilliseconds = 2000;
}  // namespace

LoopbackHttpServer::LoopbackHttpServer() : thread_([this] { serve(); }) {}

LoopbackHttpServer::~LoopbackHttpServer() {
  running_ = false;
  thread_.join();
}

void LoopbackHttpServer::reply(const std::string& bytes) {
  std::lock_guard<std::mutex> hold(lock_);
  script_.push_back({false, bytes});
}

void LoopbackHttpServer::staySilent() {
  std::lock_guard<std::mutex> hold(lock_);
  script_.push_back({true, std::string()});
}

void LoopbackHttpServer::drip(const std::string& bytes, const std::string& dripped, int gapMilliseconds) {
  std::lock_guard<std::mutex> hold(lock_);
  script_.push_back({false, bytes, dripped, gapMilliseconds});
}

void LoopbackHttpServer::refuseAfterScript() {
  std::lock_guard<std::mutex> hold(lock_);
  refuseAfterScript_ = true;
}

std::vector<std::string> LoopbackHttpServer::requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void LoopbackHttpServer::serve() {
  while (running_) {
    os::SocketHandle connection = listener_.acceptWithin(kPollMilliseconds);
    if (connection == os::kNoSocket) continue;
    answer(connection);
    os::closeSocket(connection);
  }
}

void LoopbackHttpServer::answer(os::SocketHandle connection) {
  Answer next{false, std::string()};
  bool scripted;
  {
    std::lock_guard<std::mutex> hold(lock_);
    scripted = !script_.empty();
    if (scripted) {
      next = script_.front();
      script_.pop_front();
    }
    // Stop listening before answering, so the client's next connect is
    // refused rather than queued.
    if (script_.empty() && refuseAfterScript_) listener_.close();
  }
  std::string head = readRequestHead(connection, kHeadIdleMilliseconds);
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(head);
  }
  if (!scripted) return;
  if (next.silent) {
    waitForPeerToClose(connection, running_);
    return;
  }
  os::sendAll(connection, next.bytes.data(), static_cast<int>(next.bytes.size()));
  for (std::size_t i = 0; i < next.dripped.size() && running_; ++i) {
    os::sleepMilliseconds(next.gapMilliseconds);
    if (!os::sendAll(connection, &next.dripped[i], 1)) return;
  }
}

std::string httpResponse(const std::string& statusLine, const std::vector<std::string>& headers,
                         const std::string& body) {
  std::string response = statusLine + "\r\n";
  for (const std::string& header : headers) response += header + "\r\n";
  return response + "\r\n" + body;
}
