// The sync server's answers: "LS" gets the folder's list, "GE" one file,
// "GP" a piece of one, anything else a refusal that ends the connection.
#include "sync/sync_request_handler.h"

#include <vector>

namespace {

// Error texts the client shows after "エラー:", each ending in a zero byte.
const std::string kCannotList("\x88\xea\x97\x97\x82\xf0\x8d\xec\x82\xea\x82\xdc\x82\xb9\x82\xf1", 17);  // 一覧を作れません
const std::string kBadRequest("\x95\x73\x90\xb3\x82\xc8\x97\x76\x8b\x81", 11);  // 不正な要求

}  // namespace

SyncRequestHandler::Step SyncRequestHandler::next(std::string& reply) {
  if (pending_.size() < static_cast<std::size_t>(kSyncFrameHeaderSize)) return Step::kNeedMore;
  SyncFrameHeader header = decodeSyncFrameHeader(reinterpret_cast<const unsigned char*>(pending_.data()));
  std::size_t frameSize = kSyncFrameHeaderSize + static_cast<std::size_t>(header.length);
  if (pending_.size() < frameSize) return Step::kNeedMore;
  std::string data = pending_.substr(kSyncFrameHeaderSize, header.length);
  pending_.erase(0, frameSize);
  return answer(header, data, reply);
}

SyncRequestHandler::Step SyncRequestHandler::answer(const SyncFrameHeader& header,
                                                     const std::string& data, std::string& reply) {
  if (header.hasCode(kSyncList) && data.empty()) return answerList(reply);
  if (header.hasCode(kSyncGet) && data.size() == static_cast<std::size_t>(SyncListEntry::kSize)) {
    return answerGet(data, reply);
  }
  if (header.hasCode(kSyncGetPiece) && data.size() == static_cast<std::size_t>(kSyncPieceRequestSize)) {
    return answerPiece(data, reply);
  }
  // A request we cannot read leaves the stream's framing in doubt: say so and end.
  reply = encodeSyncFrame(kSyncRefused, kBadRequest);
  return Step::kReplyAndEnd;
}

SyncRequestHandler::Step SyncRequestHandler::answerList(std::string& reply) {
  std::vector<SyncListEntry> entries;
  if (!folder_.list(entries)) {
    reply = encodeSyncFrame(kSyncRefused, kCannotList);
    return Step::kReplyAndEnd;
  }
  std::string data;
  for (const SyncListEntry& entry : entries) data += entry.bytes();
  reply = encodeSyncFrame(kSyncOk, data);
  // After an empty list the client asks for nothing and waits for the end of
  // the stream before it goes on, so end it now.
  return entries.empty() ? Step::kReplyAndEnd : Step::kReply;
}

SyncRequestHandler::Step SyncRequestHandler::answerGet(const std::string& entryBytes,
                                                        std::string& reply) {
  SyncListEntry entry = SyncListEntry::fromBytes(reinterpret_cast<const unsigned char*>(entryBytes.data()));
  std::string content;
  if (!folder_.load(entry, content)) {
    reply = encodeSyncFrame(kSyncRefused);
  } else if (content.size() > static_cast<std::size_t>(kSyncMaxFrameData)) {
    reply = encodeSyncFrame(kSyncInPieces);
  } else {
    reply = encodeSyncFrame(kSyncOk, content);
  }
  return Step::kReply;
}

SyncRequestHandler::Step SyncRequestHandler::answerPiece(const std::string& requestBytes, std::string& reply) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(requestBytes.data());
  SyncListEntry entry = SyncListEntry::fromBytes(bytes);
  const std::uint32_t offset = decodeSyncWord(bytes + SyncListEntry::kSize);
  std::string content;
  if (!folder_.load(entry, content) || offset > content.size()) {
    reply = encodeSyncFrame(kSyncRefused);
    return Step::kReply;
  }
  const std::string head = encodeSyncWord(static_cast<std::uint32_t>(content.size())) +
                           encodeSyncWord(syncContentVersion(content));
  reply = encodeSyncFrame(kSyncOk, head + content.substr(offset, kSyncMaxPiece));
  return Step::kReply;
}
