// Serving one connection of the guide service.
#include "webguide/web_connection.h"

#include <algorithm>
#include <string>

#include "os/os.h"
#include "os/socket_timeout.h"
#include "webguide/web_router.h"

namespace {

constexpr int kPollMilliseconds = 200;
constexpr std::size_t kSendChunk = 16384;

// The head of the request, or an error status: 400 when it grows past
// the limit, 0 when the client goes away, stays silent or the server stops.
int receiveHead(os::SocketHandle socket, const WebConnectionLimits& limits, const std::atomic<bool>& stopping,
                std::string& head) {
  const std::uint64_t deadline = os::tickMilliseconds() + static_cast<std::uint64_t>(limits.requestDeadlineMilliseconds);
  std::string bytes;
  while (!stopping) {
    const std::size_t end = requestHeadEnd(bytes);
    if (end != 0) {
      head = bytes.substr(0, end);
      return 200;
    }
    if (bytes.size() > kMaxRequestHeadBytes) return 400;
    const std::uint64_t now = os::tickMilliseconds();
    if (now >= deadline) return 0;
    const int wait = static_cast<int>(std::min<std::uint64_t>(kPollMilliseconds, deadline - now));
    const int ready = os::waitReadable(socket, wait);
    if (ready < 0) return 0;
    if (ready == 0) continue;
    char buffer[2048];
    const int got = os::receiveWithin(socket, buffer, sizeof buffer, 0);
    if (got <= 0) return 0;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return 0;
}

void sendResponse(os::SocketHandle socket, const WebConnectionLimits& limits, const std::string& bytes) {
  os::setSendTimeout(socket, limits.sendTimeoutMilliseconds);
  const std::uint64_t deadline = os::tickMilliseconds() + static_cast<std::uint64_t>(limits.responseDeadlineMilliseconds);
  for (std::size_t sent = 0; sent < bytes.size() && os::tickMilliseconds() < deadline;) {
    const std::size_t chunk = std::min(kSendChunk, bytes.size() - sent);
    const int result = os::sendSome(socket, bytes.data() + sent, static_cast<int>(chunk));
    if (result <= 0) return;
    sent += static_cast<std::size_t>(result);
  }
}

}  // namespace

void serveWebConnection(os::SocketHandle socket, const WebRouter& router, const WebConnectionLimits& limits,
                        const std::atomic<bool>& stopping) {
  std::string head;
  int status = receiveHead(socket, limits, stopping, head);
  WebRequest request;
  if (status == 200) status = parseWebRequest(head, request);
  if (status != 0) {
    const WebResponse response = status == 200 ? router.answer(request) : errorResponse(status);
    sendResponse(socket, limits, responseBytes(response));
  }
  os::closeSocket(socket);
}
