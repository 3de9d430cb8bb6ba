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

class SettingsStore;

class GuideFeed {
 public:
  // `settings` (with the cache directory) must outlive the feed;
  // `refreshMilliseconds` 0 reads the cache for every request.
  GuideFeed(SettingsStore& settings, int refreshMilliseconds);

  // Safe to call from several threads at once.
  WebResponse xmltv(const WebRequest& request);
  WebResponse json(const WebRequest& request);

 private:
  struct Document {
    std::string contentType;
    std::string body;
    std::string etag;
    std::string lastModified;
  };
  using DocumentPtr = std::shared_ptr<const Document>;

  // The document as it is now, refreshed first when it is due.
  DocumentPtr current(DocumentPtr GuideFeed::*document);
  void refresh();
  static DocumentPtr renewed(const DocumentPtr& old, const char* contentType, std::string body);
  static WebResponse answer(const DocumentPtr& document, const WebRequest& request);

  SettingsStore& settings_;
  int refreshMilliseconds_;
  std::mutex lock_;
  bool built_ = false;
  std::uint64_t builtAt_ = 0;
  DocumentPtr xmltv_, json_;
};

