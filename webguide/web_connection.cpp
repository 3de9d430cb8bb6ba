// Serving one connection of the guide service.
#include "webguide/web_connection.h"

#include <string>

#include "webguide/allowed_hosts.h"
#include "webguide/web_router.h"

namespace {

constexpr std::size_t kJoinedBodyBytes = 1 << 20;

// The head of the request, or an error status: 400 when it grows past
// the limit, 0 when the client goes away, stays silent, is given way or the
// server stops.
int receiveHead(ConnectionSlot& slot, std::string& head) {
  std::string bytes;
  for (;;) {
    const std::size_t end = requestHeadEnd(bytes);
    if (end != 0) {
      head = bytes.substr(0, end);
      return 200;
    }
    if (bytes.size() > kMaxRequestHeadBytes) return 400;
    char buffer[2048];
    const int got = slot.receive(slot.acceptedAt(), buffer, sizeof buffer);
    if (got < 0) return 0;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

WebResponse misdirected() {
  WebResponse response = errorResponse(421);
  response.body +=
      "This guide answers only to the names and addresses of its own machine.\n"
      "To reach it by another name, start guide-server with --allow-host NAME.\n";
  return response;
}

}  // namespace

ConnectionLimits webConnectionLimits() {
  ConnectionLimits limits;
  limits.requestMilliseconds = 10000;
  limits.sendMilliseconds = 60000;
  return limits;
}

void serveWebConnection(ConnectionSlot& slot, const WebRouter& router, const AllowedHosts& hosts) {
  std::string head;
  int status = receiveHead(slot, head);
  if (status == 0) return;
  WebRequest request;
  if (status == 200) status = parseWebRequest(head, request);
  // A request without Host comes from no browser, so from no foreign page.
  if (status == 200 && request.hasHost && !hosts.allows(request.host, os::localAddress(slot.socket()))) {
    status = 421;
  }
  WebResponse response;
  if (status == 200) {
    response = router.answer(request);
  } else {
    response = status == 421 ? misdirected() : errorResponse(status);
  }
  // A page goes in one write; a feed of megabytes is not copied to join its head.
  const bool headOnly = request.method == "HEAD";
  if (headOnly || response.bodyBytes().size() <= kJoinedBodyBytes || response.status == 304) {
    slot.sendWhole(responseBytes(response, headOnly));
  } else {
    const std::uint64_t start = slot.now();
    if (slot.sendWhole(responseHead(response), start)) slot.sendWhole(response.bodyBytes(), start);
  }
}
