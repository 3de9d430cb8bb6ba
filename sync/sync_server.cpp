// The sync server's accept loop and its connection threads.
#include "sync/sync_server.h"

#include <algorithm>

#include "os/os.h"

namespace {

constexpr int kPollMilliseconds = 200;
constexpr int kGraceMilliseconds = 3000;
constexpr int kFailuresToGiveUp = 20;
// Newcomers wait here while a slot is made free.
constexpr int kBacklog = 32;

}  // namespace

SyncServer::SyncServer(const std::string& cacheDirectory, SyncServerLimits limits)
    : folder_(cacheDirectory),
      limits_(std::move(limits)),
      stopping_(std::make_shared<std::atomic<bool>>(false)) {}

SyncServer::~SyncServer() {
  stop();
  finishAll();
  os::closeSocket(listener_);
}

bool SyncServer::listen(const std::string& address, int port) {
  if (listener_ != os::kNoSocket || !os::startSockets()) return false;
  listener_ = os::listenTcp(address, port, kBacklog);
  if (listener_ == os::kNoSocket) return false;
  port_ = os::boundPort(listener_);
  return true;
}

bool SyncServer::serve() {
  if (listener_ == os::kNoSocket) return false;
  int failures = 0;
  while (!*stopping_ && failures < kFailuresToGiveUp) {
    joinFinished();
    int ready = os::waitReadable(listener_, isFull() ? kPollMilliseconds / 20 : kPollMilliseconds);
    if (ready == 0) continue;
    if (ready > 0 && isFull()) {
      // The newcomer waits in the backlog until the idlest connection has gone.
      makeRoom();
      os::sleepMilliseconds(kPollMilliseconds / 20);
      continue;
    }
    os::SocketHandle connection = ready > 0 ? os::acceptConnection(listener_) : os::kNoSocket;
    if (connection == os::kNoSocket) {
      // A signal interrupts the wait too; only a run of failures ends the loop.
      ++failures;
      os::sleepMilliseconds(kPollMilliseconds / 4);
      continue;
    }
    failures = 0;
    admit(connection);
  }
  bool stopped = *stopping_;
  stop();  // also after giving up, so that the connections end
  finishAll();
  os::closeSocket(listener_);
  listener_ = os::kNoSocket;
  return stopped;
}

void SyncServer::admit(os::SocketHandle connection) {
  Worker worker;
  worker.state = std::make_shared<SyncConnectionState>();
  worker.state->lastProgress = limits_.now();
  std::shared_ptr<const std::atomic<bool>> stopping = stopping_;
  std::shared_ptr<SyncConnectionState> state = worker.state;
  SyncTableFolder folder = folder_;
  SyncServerLimits limits = limits_;
  worker.thread = std::thread([connection, folder, limits, stopping, state] {
    SyncConnection(connection, folder, limits, stopping, state).serve();
    state->done = true;
  });
  workers_.push_back(std::move(worker));
  connectionCount_ = static_cast<int>(workers_.size());
}

void SyncServer::makeRoom() {
  Worker* idlest = nullptr;
  for (Worker& worker : workers_) {
    if (worker.state->giveWay) return;
    if (!idlest || worker.state->lastProgress < idlest->state->lastProgress) idlest = &worker;
  }
  if (idlest) idlest->state->giveWay = true;
}

void SyncServer::joinFinished() {
  for (auto worker = workers_.begin(); worker != workers_.end();) {
    if (worker->state->done) {
      worker->thread.join();
      worker = workers_.erase(worker);
    } else {
      ++worker;
    }
  }
  connectionCount_ = static_cast<int>(workers_.size());
}

void SyncServer::finishAll() {
  std::uint64_t deadline = os::tickMilliseconds() + kGraceMilliseconds;
  while (!workers_.empty() && os::tickMilliseconds() < deadline) {
    joinFinished();
    if (!workers_.empty()) os::sleepMilliseconds(10);
  }
  // What is left is stuck on a client that does not read: end it now.
  for (Worker& worker : workers_) worker.state->giveWay = true;
  for (Worker& worker : workers_) worker.thread.join();
  workers_.clear();
  connectionCount_ = 0;
}
