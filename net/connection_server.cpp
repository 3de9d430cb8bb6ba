// The servers' accept loop and their connection threads.
#include "net/connection_server.h"

#include "os/os.h"

namespace {

constexpr int kPollMilliseconds = 200;
// While full: how long to wait for a newcomer, and how soon to look again
// whether the idlest has gone (giving way wakes it at once).
constexpr int kFullPollMilliseconds = 10;
constexpr int kMakingRoomMilliseconds = 2;
constexpr int kGraceMilliseconds = 3000;
constexpr int kFailuresToGiveUp = 20;
// Newcomers wait here while a slot is made free.
constexpr int kBacklog = 64;

}  // namespace

ConnectionServer::ConnectionServer(ConnectionLimits limits, Serve serve)
    : limits_(std::move(limits)), serve_(std::move(serve)), stopping_(std::make_shared<std::atomic<bool>>(false)) {}

ConnectionServer::~ConnectionServer() {
  stop();
  finishAll();
  os::closeSocket(listener_);
}

bool ConnectionServer::listen(const std::string& address, int port, std::string* failure) {
  if (listener_ != os::kNoSocket) return false;
  if (!os::startSockets()) {
    if (failure) *failure = "no sockets";
    return false;
  }
  listener_ = os::listenTcp(address, port, kBacklog, failure);
  if (listener_ == os::kNoSocket) return false;
  port_ = os::boundPort(listener_);
  return true;
}

bool ConnectionServer::serve() {
  if (listener_ == os::kNoSocket) return false;
  int failures = 0;
  while (!*stopping_ && failures < kFailuresToGiveUp) {
    joinFinished();
    const int ready = os::waitReadable(listener_, isFull() ? kFullPollMilliseconds : kPollMilliseconds);
    if (ready == 0) continue;
    if (ready > 0 && isFull()) {
      // The newcomer waits in the backlog until the idlest connection has gone.
      makeRoom();
      os::sleepMilliseconds(kMakingRoomMilliseconds);
      continue;
    }
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
  stop();  // also after giving up, so that the connections end
  finishAll();
  os::closeSocket(listener_);
  listener_ = os::kNoSocket;
  return stopped;
}

void ConnectionServer::admit(os::SocketHandle connection) {
  Worker worker;
  worker.slot = std::make_shared<ConnectionSlot>(connection, limits_, stopping_);
  std::shared_ptr<ConnectionSlot> slot = worker.slot;
  Serve serve = serve_;
  worker.thread = std::thread([serve, slot] {
    serve(*slot);
    slot->finish();
  });
  workers_.push_back(std::move(worker));
  connectionCount_ = static_cast<int>(workers_.size());
}

void ConnectionServer::makeRoom() {
  ConnectionSlot* idlest = nullptr;
  for (Worker& worker : workers_) {
    if (worker.slot->givingWay()) return;
    if (!idlest || worker.slot->lastProgress() < idlest->lastProgress()) idlest = worker.slot.get();
  }
  if (idlest) idlest->giveWay();
}

void ConnectionServer::joinFinished() {
  for (auto worker = workers_.begin(); worker != workers_.end();) {
    if (worker->slot->done()) {
      worker->thread.join();
      worker = workers_.erase(worker);  // the slot's socket closes with it
    } else {
      ++worker;
    }
  }
  connectionCount_ = static_cast<int>(workers_.size());
}

void ConnectionServer::finishAll() {
  const std::uint64_t deadline = os::tickMilliseconds() + kGraceMilliseconds;
  while (!workers_.empty() && os::tickMilliseconds() < deadline) {
    joinFinished();
    if (!workers_.empty()) os::sleepMilliseconds(10);
  }
  // What is left is stuck on a client that does not read: end it now.
  for (Worker& worker : workers_) worker.slot->giveWay();
  for (Worker& worker : workers_) worker.thread.join();
  workers_.clear();
  connectionCount_ = 0;
}
