// HttpUrl: an "http://[user:password@]host[:port][/path]" URL in parts, for
// the peers that are set by a base URL (a tuner server, a recorder).
#pragma once

#include <string>

struct HttpUrl {
  std::string user, password;  // as written (no percent decoding)
  std::string host;
  int port = 80;
  std::string path;  // "/" when none

  // The URL with the password written as "********"; the text as it is when
  // it is no such URL or holds no password.
  static std::string hidingPassword(const std::string& url);
};

// False for anything but such a URL with a host and a port 1-65535.
bool parseHttpUrl(const std::string& url, HttpUrl& parts);
