// HttpResponse: the status line and headers of the last response.
#pragma once

#include <string>

#include "net/header_map.h"

struct HttpResponse {
  int status = 0;       // 0 before any response
  std::string reason;   // the status line from index 13 on, possibly empty
  HeaderMap headers;    // names lower-cased; a later duplicate replaces
};
