#include "webguide/guide_routes.h"

namespace {

std::shared_ptr<WebRouter> feedRouter(std::shared_ptr<GuideFeed> feed) {
  auto router = std::make_shared<WebRouter>();
  router->add("/guide.xml", [feed](const WebRequest& request) { return feed->xmltv(request); });
  router->add("/guide.json", [feed](const WebRequest& request) { return feed->json(request); });
  return router;
}

}  // namespace

std::shared_ptr<const WebRouter> guideRouter(std::shared_ptr<GuideFeed> feed) { return feedRouter(std::move(feed)); }

std::shared_ptr<const WebRouter> guideRouter(std::shared_ptr<GuideFeed> feed, std::shared_ptr<WebPages> pages) {
  auto router = feedRouter(std::move(feed));
  router->add("/", [pages](const WebRequest& request) { return pages->day(request); });
  router->add("/search", [pages](const WebRequest& request) { return pages->search(request); });
  router->add("/search.ics", [pages](const WebRequest& request) { return pages->calendar(request); });
  router->add("/watch", [pages](const WebRequest& request) { return pages->watch(request); });
  return router;
}
