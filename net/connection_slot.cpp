// Reading and writing one client within its limits.
#include "net/connection_slot.h"

namespace {

// How often a waiting connection looks at its flags and the clock; giving
// way also wakes it at once through the socket's shutdown.
constexpr int kPollMilliseconds = 100;

bool expired(std::uint64_t now, std::uint64_t since, int limitMilliseconds) {
  return now - since >= static_cast<std::uint64_t>(limitMilliseconds);
}

}  // namespace

ConnectionSlot::ConnectionSlot(os::SocketHandle socket, ConnectionLimits limits,
                               std::shared_ptr<const std::atomic<bool>> stopping)
    : socket_(socket),
      limits_(std::move(limits)),
      stopping_(std::move(stopping)),
      acceptedAt_(limits_.now()),
      lastProgress_(acceptedAt_) {}

ConnectionSlot::~ConnectionSlot() { os::closeSocket(socket_); }

int ConnectionSlot::receive(std::uint64_t requestStart, char* buffer, int size) {
  while (!*stopping_ && !giveWay_) {
    if (expired(limits_.now(), requestStart, limits_.requestMilliseconds)) return -1;
    const int ready = os::waitReadable(socket_, kPollMilliseconds);
    if (ready < 0) return -1;
    if (ready == 0) continue;
    if (giveWay_) return -1;
    const int got = os::receiveWithin(socket_, buffer, size, 0);
    if (got <= 0) return -1;
    madeProgress();
    return got;
  }
  return -1;
}

bool ConnectionSlot::sendWhole(const std::string& bytes) { return sendWhole(bytes, limits_.now()); }

bool ConnectionSlot::sendWhole(const std::string& bytes, std::uint64_t start) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    if (giveWay_ || expired(limits_.now(), start, limits_.sendMilliseconds)) return false;
    const int ready = os::waitWritable(socket_, kPollMilliseconds);
    if (ready < 0) return false;
    if (ready == 0) continue;
    const int done = os::sendWithoutWaiting(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent));
    if (done < 0) return false;
    if (done > 0) {
      sent += static_cast<std::size_t>(done);
      madeProgress();
    }
  }
  return true;
}

void ConnectionSlot::finish() {
  os::shutdownSocket(socket_);
  done_ = true;
}

void ConnectionSlot::giveWay() {
  giveWay_ = true;
  os::shutdownSocket(socket_);
}
