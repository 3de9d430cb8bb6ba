// Reading query parameters.
#include "webguide/query_parameters.h"

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool percentDecoded(const std::string& text, std::string& decoded) {
  decoded.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      decoded += ' ';
    } else if (text[i] != '%') {
      decoded += text[i];
    } else {
      const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
      const int low = high < 0 ? -1 : hexValue(text[i + 2]);
      if (low < 0) return false;
      decoded += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return true;
}

}  // namespace

int queryParameter(const std::string& query, const std::string& name, std::string& value) {
  for (std::size_t at = 0; at <= query.size();) {
    std::size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(at, end - at);
    const std::size_t equals = pair.find('=');
    std::string key;
    if (!percentDecoded(pair.substr(0, equals), key)) return -1;
    if (key == name) {
      if (!percentDecoded(equals == std::string::npos ? std::string() : pair.substr(equals + 1), value)) return -1;
      return 1;
    }
    at = end + 1;
  }
  return 0;
}
