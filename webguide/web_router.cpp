#include "webguide/web_router.h"

WebResponse WebRouter::answer(const WebRequest& request) const {
  auto route = routes_.find(request.path);
  return route == routes_.end() ? errorResponse(404) : route->second(request);
}
