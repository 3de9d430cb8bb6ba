// One client of the sync server, served on its own thread.
#include "sync/sync_connection.h"

#include <vector>

#include "os/os.h"
#include "sync/sync_frame.h"

namespace {

constexpr int kPollMilliseconds = 200;

// Error texts the client shows after "エラー:", each ending in a zero byte.
const std::string kCannotList("\x88\xea\x97\x97\x82\xf0\x8d\xec\x82\xea\x82\xdc\x82\xb9\x82\xf1", 17);  // 一覧を作れません
const std::string kBadRequest("\x95\x73\x90\xb3\x82\xc8\x97\x76\x8b\x81", 11);  // 不正な要求

}  // namespace

SyncConnection::SyncConnection(os::SocketHandle socket, SyncTableFolder folder,
                               const std::atomic<bool>& stopping)
    : socket_(socket), folder_(std::move(folder)), stopping_(stopping) {}

SyncConnection::~SyncConnection() { os::closeSocket(socket_); }

void SyncConnection::serve() {
  while (!stopping_) {
    if (pending_.size() >= static_cast<std::size_t>(kSyncFrameHeaderSize)) {
      SyncFrameHeader header = decodeSyncFrameHeader(reinterpret_cast<const unsigned char*>(pending_.data()));
      std::size_t frameSize = kSyncFrameHeaderSize + static_cast<std::size_t>(header.length);
      if (pending_.size() >= frameSize) {
        std::string frame = pending_.substr(0, frameSize);
        pending_.erase(0, frameSize);
        if (!answer(frame)) break;
        continue;
      }
    }
    if (!receiveMore()) break;
  }
  os::closeSocket(socket_);
  socket_ = os::kNoSocket;
}

bool SyncConnection::receiveMore() {
  std::uint64_t idleSince = os::tickMilliseconds();
  while (!stopping_) {
    int ready = os::waitReadable(socket_, kPollMilliseconds);
    if (ready < 0) return false;
    if (ready > 0) {
      char buffer[4096];
      int got = os::receiveWithin(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) return false;
      pending_.append(buffer, got);
      return true;
    }
    if (os::tickMilliseconds() - idleSince >= static_cast<std::uint64_t>(kIdleLimitMilliseconds)) return false;
  }
  return false;
}

bool SyncConnection::answer(const std::string& frame) {
  SyncFrameHeader header = decodeSyncFrameHeader(reinterpret_cast<const unsigned char*>(frame.data()));
  std::string data = frame.substr(kSyncFrameHeaderSize);
  if (header.hasCode(kSyncList) && data.empty()) return answerList();
  if (header.hasCode(kSyncGet) && data.size() == static_cast<std::size_t>(SyncListEntry::kSize)) {
    return answerGet(data);
  }
  // A request we cannot read leaves the stream's framing in doubt: say so and end.
  reply(kSyncRefused, kBadRequest);
  return false;
}

bool SyncConnection::answerList() {
  std::vector<SyncListEntry> entries;
  if (!folder_.list(entries)) {
    reply(kSyncRefused, kCannotList);
    return false;
  }
  std::string data;
  for (const SyncListEntry& entry : entries) data += entry.bytes();
  if (!reply(kSyncOk, data)) return false;
  // After an empty list the client asks for nothing and waits for the end of
  // the stream before it goes on, so end it now.
  return !entries.empty();
}

bool SyncConnection::answerGet(const std::string& entryBytes) {
  SyncListEntry entry = SyncListEntry::fromBytes(reinterpret_cast<const unsigned char*>(entryBytes.data()));
  std::string content;
  if (!folder_.load(entry, content)) return reply(kSyncRefused, std::string());
  return reply(kSyncOk, content);
}

bool SyncConnection::reply(const char* status, const std::string& data) {
  // Header and data go out in one piece: the client reads each header in a
  // single call.
  std::string frame = encodeSyncFrame(status, data);
  return os::sendAll(socket_, frame.data(), static_cast<int>(frame.size()));
}
