#include "tools/demo_guide/request_head.h"

namespace {

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(c | 0x20);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::map<std::string, std::string> parseQuery(const std::string& query) {
  std::map<std::string, std::string> values;
  std::size_t start = 0;
  while (start <= query.size()) {
    std::size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    std::string pair = query.substr(start, end - start);
    std::size_t equals = pair.find('=');
    if (equals != std::string::npos) values[pair.substr(0, equals)] = percentDecoded(pair.substr(equals + 1));
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
      request.headers[lowerCase(header.substr(0, colon))] =
          value == std::string::npos ? "" : header.substr(value);
    }
    lineEnd = next;
  }
  return request;
}

