#include "webguide/guide_routes.h"

std::shared_ptr<const WebRouter> guideRouter(std::shared_ptr<GuideFeed> feed) {
  auto router = std::make_shared<WebRouter>();
  router->add("/guide.xml", [feed](const WebRequest& request) { return feed->xmltv(request); });
  router->add("/guide.json", [feed](const WebRequest& request) { return feed->json(request); });
  return router;
}
