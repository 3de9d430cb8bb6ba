// The guide service's accept loop and its connection threads.
#include "webguide/guide_server.h"

#include "os/os.h"

namespace {

constexpr int kPollMilliseconds = 200;
constexpr int kGraceMilliseconds = 3000;
constexpr int kFailuresToGiveUp = 20;

}  // namespace

GuideServer::GuideServer(std::shared_ptr<const WebRouter> router, WebConnectionLimits limits)
    : router_(std::move(router)), limits_(limits), stopping_(std::make_shared<std::atomic<bool>>(false)) {}

GuideServer::~GuideServer() {
  stop();
  finishAll();
  os::closeSocket(listener_);
}

bool GuideServer::listen(const std::string& address, int port) {
  if (listener_ != os::kNoSocket || !os::startSockets()) return false;
  listener_ = os::listenTcp(address, port, 32);
  if (listener_ == os::kNoSocket) return false;
  port_ = os::boundPort(listener_);
  return true;
}

bool GuideServer::serve() {
  if (listener_ == os::kNoSocket) return false;
  int failures = 0;
  while (!*stopping_ && failures < kFailuresToGiveUp) {
    joinFinished();
    if (workers_.size() >= static_cast<std::size_t>(kMaxConnections)) {
      os::sleepMilliseconds(kPollMilliseconds / 4);
      continue;
    }
    const int ready = os::waitReadable(listener_, kPollMilliseconds);
    if (ready == 0) continue;
    const os::SocketHandle connection = ready > 0 ? os::acceptConnection(listener_) : os::kNoSocket;
    if (connection == os::kNoSocket) {
      // A signal interrupts the wait too; only a run of failures ends the loop.
      ++failures;
      os::sleepMilliseconds(kPollMilliseconds / 4);
      continue;
    }
    failures = 0;
    admit(connection);
  }
  const bool stopped = *stopping_;
  stop();
  finishAll();
  os::closeSocket(listener_);
  listener_ = os::kNoSocket;
  return stopped;
}

void GuideServer::admit(os::SocketHandle connection) {
  Worker worker;
  worker.done = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::atomic<bool>> stopping = stopping_;
  std::shared_ptr<std::atomic<bool>> done = worker.done;
  std::shared_ptr<const WebRouter> router = router_;
  const WebConnectionLimits limits = limits_;
  worker.thread = std::thread([connection, router, limits, stopping, done] {
    serveWebConnection(connection, *router, limits, *stopping);
    done->store(true);
  });
  workers_.push_back(std::move(worker));
}

void GuideServer::joinFinished() {
  for (auto worker = workers_.begin(); worker != workers_.end();) {
    if (*worker->done) {
      worker->thread.join();
      worker = workers_.erase(worker);
    } else {
      ++worker;
    }
  }
}

void GuideServer::finishAll() {
  const std::uint64_t deadline = os::tickMilliseconds() + kGraceMilliseconds;
  while (!workers_.empty() && os::tickMilliseconds() < deadline) {
    joinFinished();
    if (!workers_.empty()) os::sleepMilliseconds(10);
  }
  // A connection still sending owns all it uses; its send time-out ends it.
  for (Worker& worker : workers_) worker.thread.detach();
  workers_.clear();
}
