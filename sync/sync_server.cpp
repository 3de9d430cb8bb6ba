// The sync server's accept loop and its connection threads.
#include "sync/sync_server.h"

#include "os/os.h"
#include "sync/sync_connection.h"

namespace {

constexpr int kPollMilliseconds = 200;
constexpr int kGraceMilliseconds = 3000;
constexpr int kFailuresToGiveUp = 20;

}  // namespace

SyncServer::SyncServer(const std::string& cacheDirectory)
    : folder_(cacheDirectory), stopping_(std::make_shared<std::atomic<bool>>(false)) {}

SyncServer::~SyncServer() {
  stop();
  finishAll();
  os::closeSocket(listener_);
}

bool SyncServer::listen(const std::string& address, int port) {
  if (listener_ != os::kNoSocket || !os::startSockets()) return false;
  listener_ = os::listenTcp(address, port);
  if (listener_ == os::kNoSocket) return false;
  port_ = os::boundPort(listener_);
  return true;
}

bool SyncServer::serve() {
  if (listener_ == os::kNoSocket) return false;
  int failures = 0;
  while (!*stopping_ && failures < kFailuresToGiveUp) {
    joinFinished();
    // At the limit, new clients wait in the backlog until a slot frees.
    if (workers_.size() >= static_cast<std::size_t>(kMaxConnections)) {
      os::sleepMilliseconds(kPollMilliseconds / 4);
      continue;
    }
    int ready = os::waitReadable(listener_, kPollMilliseconds);
    if (ready == 0) continue;
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
  worker.done = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::atomic<bool>> stopping = stopping_;
  std::shared_ptr<std::atomic<bool>> done = worker.done;
  SyncTableFolder folder = folder_;
  worker.thread = std::thread([connection, folder, stopping, done] {
    SyncConnection(connection, folder, *stopping).serve();
    done->store(true);
  });
  workers_.push_back(std::move(worker));
}

void SyncServer::joinFinished() {
  for (auto worker = workers_.begin(); worker != workers_.end();) {
    if (*worker->done) {
      worker->thread.join();
      worker = workers_.erase(worker);
    } else {
      ++worker;
    }
  }
}

void SyncServer::finishAll() {
  std::uint64_t deadline = os::tickMilliseconds() + kGraceMilliseconds;
  while (!workers_.empty() && os::tickMilliseconds() < deadline) {
    joinFinished();
    if (!workers_.empty()) os::sleepMilliseconds(10);
  }
  // A connection blocked on a client that does not read: it owns all it
  // uses, so it can be left to end on its own.
  for (Worker& worker : workers_) worker.thread.detach();
  workers_.clear();
}
