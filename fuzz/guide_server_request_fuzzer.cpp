// Fuzzes what the guide service reads of a client: the end of the request
// head, its parse, and the answer's bytes for every outcome.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "webguide/web_request.h"
#include "webguide/web_response.h"
#include "webguide/web_router.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t end = requestHeadEnd(bytes);
  if (end > bytes.size()) std::abort();
  const std::string head = end != 0 ? bytes.substr(0, end) : bytes;
  WebRequest request;
  const int status = parseWebRequest(head, request);
  if (status != 200 && status != 400 && status != 405) std::abort();
  if (status == 200) {
    // HEAD is answered as GET, without the body.
    if ((request.method != "GET" && request.method != "HEAD") || request.path.empty() || request.path[0] != '/')
      std::abort();
    if (request.path.find_first_of("?# \r\n") != std::string::npos) std::abort();
  }
  WebRouter router;
  router.add("/guide.xml", [](const WebRequest&) { return errorResponse(500); });
  const WebResponse response = status == 200 ? router.answer(request) : errorResponse(status);
  const std::string reply = responseBytes(response);
  if (reply.compare(0, 9, "HTTP/1.0 ") != 0) std::abort();
  return 0;
}
