// GuideFeed: the guide service's two documents, /guide.xml and /guide.json:
// the bytes `export` writes for the default range (today's broadcast date
// and six more days), read again from the cache once they are older than the
// refresh interval. Each version of a document gets an ETag (a hash of its
// bytes) and the time it was first served as Last-Modified, so a client
// that already holds it gets 304.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "webguide/web_request.h"
#include "webguide/web_response.h"

class ListingMemo;
class SettingsStore;
struct Listing;

class GuideFeed {
 public:
  // `settings` (with the cache directory) must outlive the feed;
  // `refreshMilliseconds` 0 reads the cache for every request.
  GuideFeed(SettingsStore& settings, int refreshMilliseconds);
  // The same, reading through `memo`, which the server's pages may share.
  GuideFeed(std::shared_ptr<ListingMemo> memo, int refreshMilliseconds);

  // Safe to call from several threads at once.
  WebResponse xmltv(const WebRequest& request);
  WebResponse json(const WebRequest& request);

 private:
  struct Document {
    std::string contentType;
    std::shared_ptr<const std::string> body;
    std::string etag;
    std::string lastModified;
  };
  using DocumentPtr = std::shared_ptr<const Document>;

  // A document and when it was last made; each is made only when asked for.
  struct Kept {
    DocumentPtr document;
    bool built = false;
    std::uint64_t builtAt = 0;
  };
  using Writer = std::string (*)(const Listing&);

  // The document as it is now, made again first when it is due.
  DocumentPtr current(Kept& kept, const char* contentType, Writer writer);
  static DocumentPtr renewed(const DocumentPtr& old, const char* contentType, std::string body);
  static WebResponse answer(const DocumentPtr& document, const WebRequest& request);

  std::shared_ptr<ListingMemo> memo_;
  int refreshMilliseconds_;
  std::mutex lock_;
  Kept xmltv_, json_;
};

