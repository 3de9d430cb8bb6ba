// HttpUrl: splitting a base URL.
#include "net/http_url.h"

#include <cstdlib>

namespace {
const char kScheme[] = "http://";
const char kHidden[] = "********";
}  // namespace

bool parseHttpUrl(const std::string& url, HttpUrl& parts) {
  if (url.compare(0, sizeof kScheme - 1, kScheme) != 0) return false;
  const std::string rest = url.substr(sizeof kScheme - 1);
  const std::size_t slash = rest.find('/');
  std::string authority = rest.substr(0, slash);
  parts = HttpUrl();
  parts.path = slash == std::string::npos ? "/" : rest.substr(slash);
  const std::size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    const std::string userInfo = authority.substr(0, at);
    const std::size_t colon = userInfo.find(':');
    parts.user = userInfo.substr(0, colon);
    if (colon != std::string::npos) parts.password = userInfo.substr(colon + 1);
    authority.erase(0, at + 1);
  }
  const std::size_t colon = authority.find(':');
  if (colon != std::string::npos) {
    const std::string port = authority.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return false;
    parts.port = std::atoi(port.c_str());
    authority.resize(colon);
  }
  parts.host = authority;
  return !parts.host.empty() && parts.port > 0 && parts.port < 65536;
}

std::string HttpUrl::hidingPassword(const std::string& url) {
  HttpUrl parts;
  if (!parseHttpUrl(url, parts) || parts.password.empty()) return url;
  const std::size_t start = sizeof kScheme - 1 + parts.user.size() + 1;
  return url.substr(0, start) + kHidden + url.substr(start + parts.password.size());
}
