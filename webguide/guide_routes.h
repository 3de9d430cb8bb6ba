// The paths of the guide service and what answers them.
#pragma once

#include <memory>

#include "webguide/guide_feed.h"
#include "webguide/web_pages.h"
#include "webguide/web_router.h"

// GET /guide.xml and GET /guide.json from `feed`; nothing else.
std::shared_ptr<const WebRouter> guideRouter(std::shared_ptr<GuideFeed> feed);
// The same and the pages for people: /, /search, /search.ics.
std::shared_ptr<const WebRouter> guideRouter(std::shared_ptr<GuideFeed> feed, std::shared_ptr<WebPages> pages);
