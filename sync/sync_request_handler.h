// SyncRequestHandler: the sync server's reading of one client's requests,
// apart from the socket. Bytes go in as they arrive, in any pieces; each
// complete request comes out as its reply frame, in order.
//
// Calling protocol: receive what arrived, then call next until it says it
// needs more; send each reply it gives; end the connection after a reply
// marked kReplyAndEnd.
#pragma once

#include <cstddef>
#include <string>

#include "sync/sync_frame.h"
#include "sync/sync_table_folder.h"

class SyncRequestHandler {
 public:
  enum class Step {
    kNeedMore,     // no complete request waiting
    kReply,        // `reply` holds the answer; go on
    kReplyAndEnd,  // send `reply`, then end the connection
  };

  explicit SyncRequestHandler(const SyncTableFolder& folder) : folder_(folder) {}

  void receive(const char* bytes, std::size_t count) { pending_.append(bytes, count); }
  // The reply to the oldest request not answered yet.
  Step next(std::string& reply);
  // Bytes received and not yet answered: at most one frame's worth plus
  // what the last receive brought, since next is called before more is read.
  std::size_t pendingSize() const { return pending_.size(); }

 private:
  Step answer(const SyncFrameHeader& header, const std::string& data, std::string& reply);
  Step answerList(std::string& reply);
  Step answerGet(const std::string& entryBytes, std::string& reply);
  Step answerPiece(const std::string& requestBytes, std::string& reply);

  const SyncTableFolder& folder_;
  std::string pending_;
};
