// WebRouter: which handler answers which path of the guide service. Paths
// match exactly; every other path is 404. Handlers run on the connection
// threads, several at once, so they must be safe to call concurrently.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "webguide/web_request.h"
#include "webguide/web_response.h"

class WebRouter {
 public:
  using Handler = std::function<WebResponse(const WebRequest&)>;

  void add(const std::string& path, Handler handler) { routes_[path] = std::move(handler); }
  // The answer to a well-formed GET.
  WebResponse answer(const WebRequest& request) const;

 private:
  std::map<std::string, Handler> routes_;
};
