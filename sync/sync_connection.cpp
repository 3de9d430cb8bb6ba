// One client of the sync server: requests in, replies out, each within its
// own time.
#include "sync/sync_connection.h"

#include "sync/sync_request_handler.h"

void serveSyncConnection(ConnectionSlot& slot, const SyncTableFolder& folder) {
  SyncRequestHandler requests(folder);
  // The first request's clock started when the server took the connection.
  std::uint64_t requestStart = slot.acceptedAt();
  std::string reply;
  while (!slot.stopping()) {
    SyncRequestHandler::Step step = requests.next(reply);
    if (step == SyncRequestHandler::Step::kNeedMore) {
      char buffer[4096];
      const int got = slot.receive(requestStart, buffer, sizeof buffer);
      if (got < 0) break;
      requests.receive(buffer, static_cast<std::size_t>(got));
      continue;
    }
    // Header and data go out as one stream of bytes; the client reads each
    // header in a single call.
    if (!slot.sendWhole(reply) || step == SyncRequestHandler::Step::kReplyAndEnd) break;
    // The next request's own deadline starts now, however many bytes of it
    // arrived before.
    requestStart = slot.now();
  }
}
