#include "net/response_parser.h"

#include <cctype>
#include <cstdlib>

bool parseStatusLine(const std::string& line, HttpResponse& response) {
  if (line.size() < 13 || line.compare(0, 7, "HTTP/1.") != 0) return false;
  if (line[7] != '0' && line[7] != '1') return false;
  if (line[8] != ' ' || line[12] != ' ') return false;
  for (int i = 9; i < 12; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
  }
  response.status = std::atoi(line.c_str() + 9);
  response.reason = line.substr(13);
  return true;
}

bool ResponseParser::parse(HttpResponse& response) {
  response = HttpResponse();
  std::string line;
  if (!readLine(line) || !parseStatusLine(line, response)) return false;
  for (int lines = 0; lines <= kMaxHeaderLines; ++lines) {
    std::string name, value;
    int result = readHeaderLine(name, value);
    if (result < 0) return false;
    if (result == 0) return true;
    response.headers[name] = value;
  }
  return false;
}

int ResponseParser::readHeaderLine(std::string& name, std::string& value) {
  enum { kName, kSkip, kValue } mode = kName;
  for (int taken = 0; taken < kMaxLineBytes; ++taken) {
    int byte = nextByte();
    if (byte < 0) return -1;
    if (byte == '\r') continue;
    if (byte == '\n') return mode == kName && name.empty() ? 0 : 1;
    char c = static_cast<char>(byte);
    if (mode == kName) {
      if (c == ':') {
        mode = kSkip;
      } else {
        name += static_cast<char>(std::tolower(byte));
      }
    } else if (mode == kSkip) {
      if (std::isspace(byte)) continue;
      value += c;
      mode = kValue;
    } else {
      value += c;
    }
  }
  return -1;
}
