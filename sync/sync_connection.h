// SyncConnection: the sync server's side of one client connection. It reads
// request frames (which may arrive in any pieces), answers "LS" with the
// folder's list and "GE" with a file, and ends when the client closes, sends
// something it does not understand, stays idle too long, or the server stops.
#pragma once

#include <atomic>
#include <string>

#include "os/socket.h"
#include "sync/sync_table_folder.h"

class SyncConnection {
 public:
  static constexpr int kIdleLimitMilliseconds = 60000;

  // Takes ownership of `socket`; `stopping` is polled between requests.
  SyncConnection(os::SocketHandle socket, SyncTableFolder folder, const std::atomic<bool>& stopping);
  ~SyncConnection();
  SyncConnection(const SyncConnection&) = delete;
  SyncConnection& operator=(const SyncConnection&) = delete;

  // Serves requests until the connection ends, then closes it.
  void serve();

 private:
  // Waits for more request bytes; false when the connection should end.
  bool receiveMore();
  // Answers one complete frame; false when the connection should end.
  bool answer(const std::string& frame);
  bool answerList();
  bool answerGet(const std::string& entryBytes);
  bool reply(const char* status, const std::string& data);

  os::SocketHandle socket_;
  SyncTableFolder folder_;
  const std::atomic<bool>& stopping_;
  std::string pending_;  // request bytes not yet answered
};
