// SyncConnection: the sync server's side of one client connection, served on
// a thread of its own. It reads requests, sends the replies of its
// SyncRequestHandler, and ends when the client closes, sends something it
// does not understand, misses a request deadline or a send time-out, is
// asked to give way, or the server stops.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "os/socket.h"
#include "sync/sync_request_handler.h"
#include "sync/sync_server_limits.h"
#include "sync/sync_table_folder.h"

// What the server and a connection's thread share.
struct SyncConnectionState {
  // Clock time of the last byte in or out; the server sets it when it takes
  // the connection.
  std::atomic<std::uint64_t> lastProgress{0};
  std::atomic<bool> giveWay{false};            // set by the server to end the connection
  std::atomic<bool> done{false};               // set by the thread as it ends
};

class SyncConnection {
 public:
  // Takes ownership of `socket`. `stopping` is polled between requests,
  // `state` all the time.
  SyncConnection(os::SocketHandle socket, SyncTableFolder folder, SyncServerLimits limits,
                 std::shared_ptr<const std::atomic<bool>> stopping,
                 std::shared_ptr<SyncConnectionState> state);
  ~SyncConnection();
  SyncConnection(const SyncConnection&) = delete;
  SyncConnection& operator=(const SyncConnection&) = delete;

  // Serves requests until the connection ends, then closes it.
  void serve();

 private:
  // Waits for more request bytes until the request's deadline; false when
  // the connection should end.
  bool receiveMore(SyncRequestHandler& requests, std::uint64_t requestStart);
  // Sends a whole reply within the send time; false when it could not.
  bool sendReply(const std::string& frame);
  void madeProgress() { state_->lastProgress = limits_.now(); }

  os::SocketHandle socket_;
  SyncTableFolder folder_;
  SyncServerLimits limits_;
  std::shared_ptr<const std::atomic<bool>> stopping_;
  std::shared_ptr<SyncConnectionState> state_;
};
