// ScriptedSyncServer: a sync server for tests that misbehaves on purpose. It
// listens on 127.0.0.1 (a free port), takes one client, and plays a script of
// reads and writes on that connection, recording every byte the client
// sent. The script is built first, then `start` runs it on a thread.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "os/socket.h"

class ScriptedSyncServer {
 public:
  ScriptedSyncServer();
  ~ScriptedSyncServer();
  ScriptedSyncServer(const ScriptedSyncServer&) = delete;
  ScriptedSyncServer& operator=(const ScriptedSyncServer&) = delete;

  int port() const { return port_; }

  // Reads exactly `bytes` bytes from the client before the next step.
  ScriptedSyncServer& expect(int bytes);
  // Sends `bytes` in one call.
  ScriptedSyncServer& send(const std::string& bytes);
  // Sends `bytes` in pieces of `pieceSize`, pausing between them so that
  // they reach the client as separate segments.
  ScriptedSyncServer& sendInPieces(const std::string& bytes, int pieceSize, int pauseMilliseconds = 2);
  ScriptedSyncServer& pause(int milliseconds);
  // Closes the connection. Without it the script ends by waiting (a few
  // seconds at most) for the client to close.
  ScriptedSyncServer& hangUp();

  void start();
  // Waits for the script to end; what the client sent.
  std::string received();
  // False when a client never came or an `expect` got fewer bytes.
  bool scriptCompleted();

 private:
  struct Step {
    enum Kind { kExpect, kSend, kPause, kHangUp } kind;
    std::string bytes;
    int count = 0;
    int pauseMilliseconds = 0;
  };
  void play();
  bool playStep(os::SocketHandle connection, const Step& step);
  void finish();

  os::SocketHandle listener_;
  int port_ = -1;
  std::vector<Step> steps_;
  std::thread thread_;
  std::string received_;
  bool completed_ = false;
  std::atomic<bool> quitting_{false};
};

// A frame of the sync protocol, built by hand: two letters, the 16-bit
// little-endian length, the data.
std::string syncFrame(const std::string& code, const std::string& data = std::string());
