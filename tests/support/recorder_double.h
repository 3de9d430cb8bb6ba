// RecorderDouble: a stand-in for the recorder's reserve API on 127.0.0.1,
// answering as RECORDERS.md and its API document say: POST /api/reserves
// (201 {reserveId}; 400 without allowEndLack or a target; 500 with
// ReservationManageModelAddReserveConflict when every tuner is taken,
// ReservationManageModelCheckReservedProgramError for a programme reserved
// already, ProgramIsNotFound for a programme it does not know), GET
// /api/reserves (offset, limit 24 by default, {reserves, total}), DELETE
// /api/reserves/{id} (500 ReservationIsNotFound the second time), 404
// {code, message} elsewhere. It can answer slowly or die.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "os/socket.h"
#include "tests/support/loopback_listener.h"

class RecorderDouble {
 public:
  struct Programme {
    long long id, channelId, startAt, endAt;  // ms since 1970 UTC
    std::string name;                         // UTF-8
  };
  struct Reserve {
    long long id, programId, channelId, startAt, endAt;
    std::string name;
    bool timeSpecified;
    bool skipped = false;  // a rule's reserve the user cancelled: kept, not recorded
    bool ofRule = false;
  };

  // `tuners`: how many reserves may overlap before the next conflicts.
  explicit RecorderDouble(int tuners = 1, int port = 0);
  ~RecorderDouble();
  RecorderDouble(const RecorderDouble&) = delete;
  RecorderDouble& operator=(const RecorderDouble&) = delete;

  int port() const { return listener_.port(); }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port()); }
  void addProgramme(const Programme& programme);
  // Each answer's bytes after its status line go one every `gapMilliseconds`.
  void answerSlowly(int gapMilliseconds) { gap_ = gapMilliseconds; }
  // Stops listening: every later connect is refused.
  void die() { listener_.close(); }
  // Marks a reserve skipped, as the recorder cancels one of a rule's.
  void skip(long long reserveId);
  // Makes a reserve one of a rule's: a cancel then only skips it.
  void giveToRule(long long reserveId);

  std::vector<Reserve> reserves() const;
  // "METHOD PATH BODY", one a request.
  std::vector<std::string> requests() const;

 private:
  void serve();
  void answer(os::SocketHandle connection);
  std::string respond(const std::string& method, const std::string& path, const std::string& body);
  std::string addReserve(const std::string& body);
  std::string listReserves(const std::string& query) const;
  std::string deleteReserve(long long id);

  const int tuners_;
  const bool socketsStarted_;  // before the listener (Winsock wants starting)
  LoopbackListener listener_;
  mutable std::mutex lock_;
  std::vector<Programme> programmes_;
  std::vector<Reserve> reserves_;
  std::vector<std::string> requests_;
  long long nextId_ = 1;
  std::atomic<int> gap_{0};
  std::atomic<bool> running_{true};
  std::thread thread_;
};
