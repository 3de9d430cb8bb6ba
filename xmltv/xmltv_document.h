// Getting at an XMLTV document: a URL fetched into a file with the
// program's own HTTP client (proxy, resume and retries as for pages, never
// the guide service's session cookie), and a file read through a handler.
// The import and the channel list both take their documents so.
#pragma once

#include <string>

class FileSystem;
class GuideCache;
class ProgressSink;
class XmltvHandler;
struct RetryPolicy;

struct XmltvFetch {
  // Asked with these when `since` is not empty (If-Modified-Since and,
  // when set, If-None-Match).
  std::string since, entityTag;
  // After the fetch: the answer's validators, and whether it was 304.
  std::string lastModified, answeredTag;
  bool notModified = false;
  // The largest answer taken; 0 for the client's own limit.
  int maxBodyBytes = 0;
  // An "authorization" value to send; none when empty.
  std::string authorization;
};

// The largest document taken, from a file or a URL alike: a week of a
// household's tuner server (400 services are some 30 MB) with room to spare.
// A URL's answer goes to a file as it arrives and is read from there, so
// the document is never held in memory whole.
constexpr int kMaxXmltvDocumentBytes = 256 * 1024 * 1024;

// True when `source` has the form "http://host[:port][/path]".
bool isXmltvUrl(const std::string& source);
// True when the program can read `source`: nothing, an http:// URL or a
// file path (anything without a "scheme://" in front; https://, ftp:// and
// http+unix:// are not read).
bool isReadableXmltvSource(const std::string& source);

// Fetches the URL `source` into `file` with `policy`'s tries, a refusal
// such as 404 only once; false on failure or a cancel (reported), true
// also for a 304 answer.
bool fetchXmltvDocument(GuideCache& cache, const std::string& source, const std::string& file,
                        const RetryPolicy& policy, ProgressSink& progress, XmltvFetch& fetch);

// Reads the file at `path` of `files` through `handler`: 1 when read whole,
// 0 when the handler stopped it, -1 when it cannot be opened or read, or is
// longer than kMaxXmltvDocumentBytes (reported, the file named as
// `shownName`). A user's own file is on localFileSystem(); a download lies
// in the cache, on the cache's. `halved`: a long document's second half is
// read at once on another thread (see XmltvSecondHalf), worth it for a
// reader that takes the whole document.
int readXmltvDocument(FileSystem& files, const std::string& path, const std::string& shownName,
                      XmltvHandler& handler, ProgressSink& progress, bool halved = false);
