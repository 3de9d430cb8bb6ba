// DownloadServer: where a download job's requests go and what each of them
// carries, as plain values; whoever knows the settings fills it in.
#pragma once

#include <string>

#include "net/header_map.h"

struct DownloadServer {
  std::string server;
  int port = 80;
  std::string proxyServer;  // empty: requests go to the server itself
  int proxyPort = 0;
  std::string proxyUser;  // user and password both empty: no credentials sent
  std::string proxyPassword;
  HeaderMap headers;  // on every request, such as a session's "cookie"
};
