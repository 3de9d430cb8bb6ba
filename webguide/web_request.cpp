// Reading request heads.
#include "webguide/web_request.h"

#include <vector>

#include "os/ascii.h"

namespace {

constexpr std::size_t kMaxTargetBytes = 2048;
constexpr std::size_t kMaxMethodBytes = 16;

std::vector<std::string> linesOf(const std::string& head) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < head.size();) {
    std::size_t end = head.find('\n', at);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

bool isTokenChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool isVisible(char c) { return static_cast<unsigned char>(c) > 0x20 && c != 0x7F; }

bool readRequestLine(const std::string& line, WebRequest& request) {
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos || line.find(' ', second + 1) != std::string::npos) return false;
  request.method = line.substr(0, first);
  const std::string target = line.substr(first + 1, second - first - 1);
  const std::string version = line.substr(second + 1);
  if (request.method.empty() || request.method.size() > kMaxMethodBytes) return false;
  for (char c : request.method)
    if (c < 'A' || c > 'Z') return false;
  if (target.empty() || target[0] != '/' || target.size() > kMaxTargetBytes) return false;
  for (char c : target)
    if (!isVisible(c)) return false;
  if (version.size() != 8 || version.compare(0, 5, "HTTP/") != 0 || version[6] != '.' ||
      version[5] < '0' || version[5] > '9' || version[7] < '0' || version[7] > '9') {
    return false;
  }
  const std::size_t pathEnd = target.find_first_of("?#");
  request.path = target.substr(0, pathEnd);
  if (pathEnd != std::string::npos && target[pathEnd] == '?') {
    request.query = target.substr(pathEnd + 1, target.find('#', pathEnd) - pathEnd - 1);
  }
  return true;
}

bool readHeader(const std::string& line, WebRequest& request) {
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (std::size_t i = 0; i < colon; ++i)
    if (!isTokenChar(line[i])) return false;
  for (char c : line)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
  const std::string name = ascii::lowered(line.substr(0, colon));
  const std::string value = ascii::trimmed(line.substr(colon + 1));
  if (name == "if-none-match") {
    request.ifNoneMatch += (request.ifNoneMatch.empty() ? "" : ", ") + value;
  } else if (name == "accept-language") {
    request.acceptLanguage += (request.acceptLanguage.empty() ? "" : ", ") + value;
  } else if (name == "host") {
    if (request.hasHost) return false;
    request.hasHost = true;
    request.host = value;
  }
  return true;
}

}  // namespace

std::size_t requestHeadEnd(const std::string& bytes) {
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    if (at + 1 < bytes.size() && bytes[at + 1] == '\n') return at + 2;
    if (at + 2 < bytes.size() && bytes[at + 1] == '\r' && bytes[at + 2] == '\n') return at + 3;
  }
  return 0;
}

int parseWebRequest(const std::string& head, WebRequest& request) {
  request = WebRequest();
  if (head.size() > kMaxRequestHeadBytes) return 400;
  std::vector<std::string> lines = linesOf(head);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty() || !readRequestLine(lines[0], request)) return 400;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!readHeader(lines[i], request)) return 400;
  }
  // HEAD is answered as GET, without the body (responseBytes).
  return request.method == "GET" || request.method == "HEAD" ? 200 : 405;
}
