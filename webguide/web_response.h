// WebResponse: what the guide service answers, and its bytes on the wire
// (HTTP/1.0, one response per connection).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "os/os.h"

struct WebResponse {
  int status = 200;
  std::string contentType;  // with its charset
  std::string body;         // not sent with 304
  std::vector<std::pair<std::string, std::string>> headers;  // further headers, in order
  // A body kept elsewhere and shared, not copied, by every answer that
  // sends it (a feed of megabytes); when set, it is sent instead of `body`.
  std::shared_ptr<const std::string> sharedBody;

  const std::string& bodyBytes() const { return sharedBody ? *sharedBody : body; }
};

// "Not Found" and the like; "Error" for a status it does not know.
const char* reasonPhrase(int status);
// The status line, Content-Type (when set), Content-Length, the further
// headers, "Connection: close", a blank line and the body; without the body
// (its length still given) for a HEAD request.
std::string responseBytes(const WebResponse& response, bool headOnly = false);
// The same without the body, which a large answer sends on its own rather
// than copied behind its head.
std::string responseHead(const WebResponse& response);
// A short plain-text answer for an error status (405 adds "Allow: GET, HEAD"),
// not to be cached.
WebResponse errorResponse(int status);
