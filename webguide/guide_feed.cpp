// The documents of the guide service.
#include "webguide/guide_feed.h"

#include "guide/http_date.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"
#include "os/os.h"
#include "webguide/entity_tag.h"
#include "webguide/listing_memo.h"

GuideFeed::GuideFeed(SettingsStore& settings, int refreshMilliseconds)
    : GuideFeed(std::make_shared<ListingMemo>(settings), refreshMilliseconds) {}

GuideFeed::GuideFeed(std::shared_ptr<ListingMemo> memo, int refreshMilliseconds)
    : memo_(std::move(memo)), refreshMilliseconds_(refreshMilliseconds) {}

WebResponse GuideFeed::xmltv(const WebRequest& request) {
  return answer(current(xmltv_, "application/xml; charset=utf-8", xmltvDocument), request);
}

WebResponse GuideFeed::json(const WebRequest& request) {
  return answer(current(json_, "application/json; charset=utf-8", programmesJson), request);
}

GuideFeed::DocumentPtr GuideFeed::current(Kept& kept, const char* contentType, Writer writer) {
  std::lock_guard<std::mutex> hold(lock_);
  const std::uint64_t now = os::tickMilliseconds();
  if (kept.built && now - kept.builtAt < static_cast<std::uint64_t>(refreshMilliseconds_)) return kept.document;
  const std::shared_ptr<const Listing> week = memo_->listing(defaultListingRange(currentDateTime()));
  kept.document = renewed(kept.document, contentType, writer(*week));
  kept.built = true;
  kept.builtAt = now;
  return kept.document;
}

GuideFeed::DocumentPtr GuideFeed::renewed(const DocumentPtr& old, const char* contentType, std::string body) {
  std::string etag = etagOf(body);
  if (old && old->etag == etag) return old;  // unchanged: keep its date
  auto document = std::make_shared<Document>();
  document->contentType = contentType;
  document->body = std::make_shared<const std::string>(std::move(body));
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
  response.sharedBody = document->body;
  return response;
}
