// The misbehaving sync server of the tests.
#include "tests/support/scripted_sync_server.h"

#include <algorithm>

#include "os/os.h"

namespace {

constexpr int kWaitLimitMilliseconds = 5000;

}  // namespace

std::string syncFrame(const std::string& code, const std::string& data) {
  std::string frame = code.substr(0, 2);
  frame += static_cast<char>(data.size() & 0xFF);
  frame += static_cast<char>((data.size() >> 8) & 0xFF);
  return frame + data;
}

ScriptedSyncServer::ScriptedSyncServer() {
  os::startSockets();
  listener_ = os::listenTcp("127.0.0.1", 0);
  if (listener_ != os::kNoSocket) port_ = os::boundPort(listener_);
}

ScriptedSyncServer::~ScriptedSyncServer() {
  quitting_ = true;
  finish();
  os::closeSocket(listener_);
}

ScriptedSyncServer& ScriptedSyncServer::expect(int bytes) {
  steps_.push_back({Step::kExpect, std::string(), bytes});
  return *this;
}

ScriptedSyncServer& ScriptedSyncServer::send(const std::string& bytes) {
  steps_.push_back({Step::kSend, bytes, static_cast<int>(bytes.size())});
  return *this;
}

ScriptedSyncServer& ScriptedSyncServer::sendInPieces(const std::string& bytes, int pieceSize,
                                                     int pauseMilliseconds) {
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
    if (at > 0) pause(pauseMilliseconds);
    send(bytes.substr(at, pieceSize));
  }
  return *this;
}

ScriptedSyncServer& ScriptedSyncServer::pause(int milliseconds) {
  steps_.push_back({Step::kPause, std::string(), 0, milliseconds});
  return *this;
}

ScriptedSyncServer& ScriptedSyncServer::hangUp() {
  steps_.push_back({Step::kHangUp, std::string()});
  return *this;
}

void ScriptedSyncServer::start() { thread_ = std::thread([this] { play(); }); }

std::string ScriptedSyncServer::received() {
  finish();
  return received_;
}

bool ScriptedSyncServer::scriptCompleted() {
  finish();
  return completed_;
}

void ScriptedSyncServer::finish() {
  if (thread_.joinable()) thread_.join();
}

void ScriptedSyncServer::play() {
  if (os::waitReadable(listener_, kWaitLimitMilliseconds) <= 0) return;
  os::SocketHandle connection = os::acceptConnection(listener_);
  if (connection == os::kNoSocket) return;
  bool hungUp = false;
  completed_ = true;
  for (const Step& step : steps_) {
    if (step.kind == Step::kHangUp) {
      hungUp = true;
      break;
    }
    if (!playStep(connection, step)) {
      completed_ = false;
      break;
    }
  }
  // Stay silent until the client closes, recording anything more it sends.
  std::uint64_t deadline = os::tickMilliseconds() + kWaitLimitMilliseconds;
  while (!hungUp && !quitting_ && os::tickMilliseconds() < deadline) {
    char buffer[4096];
    int ready = os::waitReadable(connection, 50);
    if (ready < 0) break;
    if (ready == 0) continue;
    int got = os::receiveWithin(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    received_.append(buffer, got);
  }
  os::closeSocket(connection);
}

bool ScriptedSyncServer::playStep(os::SocketHandle connection, const Step& step) {
  switch (step.kind) {
    case Step::kExpect: {
      std::string bytes;
      while (static_cast<int>(bytes.size()) < step.count) {
        char buffer[4096];
        int wanted = std::min<int>(sizeof buffer, step.count - static_cast<int>(bytes.size()));
        int got = os::receiveWithin(connection, buffer, wanted, kWaitLimitMilliseconds);
        if (got <= 0) break;
        bytes.append(buffer, got);
      }
      received_ += bytes;
      return static_cast<int>(bytes.size()) == step.count;
    }
    case Step::kSend:
      return os::sendAll(connection, step.bytes.data(), static_cast<int>(step.bytes.size()));
    case Step::kPause:
      os::sleepMilliseconds(step.pauseMilliseconds);
      return true;
    case Step::kHangUp:
      return true;
  }
  return true;
}
