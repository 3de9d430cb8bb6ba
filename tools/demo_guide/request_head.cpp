#include "tools/demo_guide/request_head.h"

#include "os/ascii.h"


std::map<std::string, std::string> parseQuery(const std::string& query) {
  std::map<std::string, std::string> values;
  std::size_t start = 0;
  while (start <= query.size()) {
    std::size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    std::string pair = query.substr(start, end - start);
    std::size_t equals = pair.find('=');
    if (equals == std::string::npos) {
      start = end + 1;
      continue;
    }
    // A value that is not well encoded is taken as it came.
    const std::string value = pair.substr(equals + 1);
    std::string decoded;
    values[pair.substr(0, equals)] = ascii::percentDecoded(value, decoded) ? decoded : value;
    start = end + 1;
  }
  return values;
}

RequestHead parseRequestHead(const std::string& head) {
  RequestHead request;
  std::size_t lineEnd = head.find("\r\n");
  std::string line = head.substr(0, lineEnd);
  std::size_t first = line.find(' '), last = line.rfind(' ');
  if (first != std::string::npos && last > first) request.path = line.substr(first + 1, last - first - 1);
  // Through a proxy the request names the whole URL.
  if (request.path.compare(0, 7, "http://") == 0) {
    std::size_t slash = request.path.find('/', 7);
    request.path = slash == std::string::npos ? "/" : request.path.substr(slash);
  }
  while (lineEnd != std::string::npos && lineEnd + 2 < head.size()) {
    std::size_t next = head.find("\r\n", lineEnd + 2);
    std::string header = head.substr(lineEnd + 2, next - lineEnd - 2);
    std::size_t colon = header.find(':');
    if (colon != std::string::npos) {
      std::size_t value = header.find_first_not_of(' ', colon + 1);
      request.headers[ascii::lowered(header.substr(0, colon))] =
          value == std::string::npos ? "" : header.substr(value);
    }
    lineEnd = next;
  }
  return request;
}

