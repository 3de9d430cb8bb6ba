// The documents of the guide service.
#include "webguide/guide_feed.h"

#include <cstdio>

#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"
#include "os/universal_time.h"
#include "webguide/cached_listing.h"

namespace {

std::string etagOf(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char text[24];
  std::snprintf(text, sizeof text, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return text;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool etagMatches(const std::string& ifNoneMatch, const std::string& etag) {
  for (std::size_t at = 0; at <= ifNoneMatch.size();) {
    std::size_t end = ifNoneMatch.find(',', at);
    if (end == std::string::npos) end = ifNoneMatch.size();
    std::string candidate = trimmed(ifNoneMatch.substr(at, end - at));
    if (candidate.compare(0, 2, "W/") == 0) candidate.erase(0, 2);
    if (candidate == "*" || candidate == etag) return true;
    at = end + 1;
  }
  return false;
}

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
  document->lastModified = httpDate(os::universalTime());
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
