// The documents of the guide service.
#include "webguide/guide_feed.h"


#include "guide/http_date.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"
#include "os/os.h"
#include "webguide/cached_listing.h"
#include "webguide/entity_tag.h"

GuideFeed::GuideFeed(SettingsStore& settings, int refreshMilliseconds)
    : settings_(settings), refreshMilliseconds_(refreshMilliseconds) {}

WebResponse GuideFeed::xmltv(const WebRequest& request) { return answer(current(&GuideFeed::xmltv_), request); }

WebResponse GuideFeed::json(const WebRequest& request) { return answer(current(&GuideFeed::json_), request); }

GuideFeed::DocumentPtr GuideFeed::current(DocumentPtr GuideFeed::*document) {
  std::lock_guard<std::mutex> hold(lock_);
  refresh();
  return this->*document;
}

void GuideFeed::refresh() {
  const std::uint64_t now = os::tickMilliseconds();
  if (built_ && now - builtAt_ < static_cast<std::uint64_t>(refreshMilliseconds_)) return;
  const Listing listing = cachedListing(settings_, defaultListingRange(currentDateTime()));
  xmltv_ = renewed(xmltv_, "application/xml; charset=utf-8", xmltvDocument(listing));
  json_ = renewed(json_, "application/json; charset=utf-8", programmesJson(listing));
  built_ = true;
  builtAt_ = now;
}

GuideFeed::DocumentPtr GuideFeed::renewed(const DocumentPtr& old, const char* contentType, std::string body) {
  std::string etag = etagOf(body);
  if (old && old->etag == etag) return old;  // unchanged: keep its date
  auto document = std::make_shared<Document>();
  document->contentType = contentType;
  document->body = std::move(body);
  document->etag = std::move(etag);
  document->lastModified = httpDate(os::currentUnixTime());
  return document;
}

WebResponse GuideFeed::answer(const DocumentPtr& document, const WebRequest& request) {
  WebResponse response;
  response.headers = {{"Last-Modified", document->lastModified},
                      {"ETag", document->etag},
                      {"Cache-Control", "no-cache"}};
  if (etagMatches(request.ifNoneMatch, document->etag)) {
    response.status = 304;
    return response;
  }
  response.contentType = document->contentType;
  response.body = document->body;
  return response;
}
