// One client of the sync server: requests in, replies out, each within its
// own time.
#include "sync/sync_connection.h"

namespace {

// How often a waiting connection looks at its flags and the clock.
constexpr int kPollMilliseconds = 100;

bool expired(std::uint64_t now, std::uint64_t since, int limitMilliseconds) {
  return now - since >= static_cast<std::uint64_t>(limitMilliseconds);
}

}  // namespace

SyncConnection::SyncConnection(os::SocketHandle socket, SyncTableFolder folder,
                               SyncServerLimits limits,
                               std::shared_ptr<const std::atomic<bool>> stopping,
                               std::shared_ptr<SyncConnectionState> state)
    : socket_(socket),
      folder_(std::move(folder)),
      limits_(std::move(limits)),
      stopping_(std::move(stopping)),
      state_(std::move(state)) {}

SyncConnection::~SyncConnection() { os::closeSocket(socket_); }

void SyncConnection::serve() {
  SyncRequestHandler requests(folder_);
  // The first request's clock started when the server took the connection.
  std::uint64_t requestStart = state_->lastProgress;
  std::string reply;
  while (!*stopping_) {
    SyncRequestHandler::Step step = requests.next(reply);
    if (step == SyncRequestHandler::Step::kNeedMore) {
      if (!receiveMore(requests, requestStart)) break;
      continue;
    }
    if (!sendReply(reply) || step == SyncRequestHandler::Step::kReplyAndEnd) break;
    // The next request's own deadline starts now, however many bytes of it
    // arrived before.
    requestStart = limits_.now();
  }
  os::closeSocket(socket_);
  socket_ = os::kNoSocket;
}

bool SyncConnection::receiveMore(SyncRequestHandler& requests, std::uint64_t requestStart) {
  while (!*stopping_ && !state_->giveWay) {
    if (expired(limits_.now(), requestStart, limits_.requestMilliseconds)) return false;
    int ready = os::waitReadable(socket_, kPollMilliseconds);
    if (ready < 0) return false;
    if (ready == 0) continue;
    char buffer[4096];
    int got = os::receiveWithin(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    requests.receive(buffer, static_cast<std::size_t>(got));
    madeProgress();
    return true;
  }
  return false;
}

bool SyncConnection::sendReply(const std::string& frame) {
  // Header and data go out as one stream of bytes; the client reads each
  // header in a single call. A stop lets the reply finish; giving way does not.
  std::uint64_t start = limits_.now();
  std::size_t sent = 0;
  while (sent < frame.size()) {
    if (state_->giveWay || expired(limits_.now(), start, limits_.sendMilliseconds)) return false;
    int ready = os::waitWritable(socket_, kPollMilliseconds);
    if (ready < 0) return false;
    if (ready == 0) continue;
    int done = os::sendWithoutWaiting(socket_, frame.data() + sent, static_cast<int>(frame.size() - sent));
    if (done < 0) return false;
    if (done > 0) {
      sent += static_cast<std::size_t>(done);
      madeProgress();
    }
  }
  return true;
}
