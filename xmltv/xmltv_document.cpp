#include "xmltv/xmltv_document.h"

#include <cstdlib>
#include <memory>

#include "bytes/buffered_reader.h"
#include "bytes/file_system.h"
#include "bytes/stream.h"
#include "config/settings_store.h"
#include "guide/download_server_settings.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/download_job.h"
#include "net/retry_policy.h"
#include "xmltv/xmltv_reader.h"
#include "xmltv/xmltv_second_half.h"

namespace {

// A document is read in blocks this large: 1 KB reads cost a tenth of a
// household's import in calls.
constexpr int kReadBlock = 64 * 1024;

struct HttpLocation {
  std::string host;
  int port = 80;
  std::string path;
};

// "http://host[:port][/path]"; false for anything else.
bool parseHttpUrl(const std::string& url, HttpLocation& location) {
  static const char kScheme[] = "http://";
  if (url.compare(0, sizeof kScheme - 1, kScheme) != 0) return false;
  const std::string rest = url.substr(sizeof kScheme - 1);
  const std::size_t slash = rest.find('/');
  std::string authority = rest.substr(0, slash);
  location.path = slash == std::string::npos ? "/" : rest.substr(slash);
  const std::size_t colon = authority.find(':');
  if (colon != std::string::npos) {
    location.port = std::atoi(authority.c_str() + colon + 1);
    authority.resize(colon);
  }
  location.host = authority;
  return !location.host.empty() && location.port > 0 && location.port < 65536;
}

// A file as the reader takes it, failing once it holds more than `limit`
// bytes.
class LimitedStream : public Stream {
 public:
  LimitedStream(Stream& stream, int limit) : stream_(stream), left_(limit) {}
  bool close() override { return stream_.close(); }
  int read(void* buffer, int size) override {
    // One byte past the limit tells a document of exactly the limit from a longer one.
    const int n = stream_.read(buffer, size < left_ + 1 ? size : left_ + 1);
    if (n > left_) {
      overLimit_ = true;
      return -1;
    }
    if (n > 0) left_ -= n;
    return n;
  }
  int write(const void*, int) override { return -1; }
  bool overLimit() const { return overLimit_; }

 private:
  Stream& stream_;
  int left_;
  bool overLimit_ = false;
};

}  // namespace

bool isXmltvUrl(const std::string& source) {
  HttpLocation location;
  return parseHttpUrl(source, location);
}

bool isReadableXmltvSource(const std::string& source) {
  const std::size_t mark = source.find("://");
  // A drive letter ("C://x") is one letter; a scheme is two or more.
  const bool hasScheme = mark != std::string::npos && mark >= 2 &&
                         source.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-.") >= mark;
  return !hasScheme || isXmltvUrl(source);
}

bool fetchXmltvDocument(GuideCache& cache, const std::string& source, const std::string& file,
                        const RetryPolicy& policy, ProgressSink& progress, XmltvFetch& fetch) {
  HttpLocation location;
  if (!parseHttpUrl(source, location)) return false;
  // The job closes the fetched file when it goes.
  DownloadJob job(downloadServerOf(cache.settings()), cache.clock(), cache.files());
  RetryPolicy documentPolicy = policy;
  documentPolicy.retriesRefusals = false;  // a wrong URL stays wrong
  job.setRetryPolicy(documentPolicy);
  job.client().setMaxBodyBytes(kMaxXmltvDocumentBytes, &job::kXmltvTooLarge);
  job.client().setServer(location.host, location.port);
  // The guide service's session is not for another host.
  job.client().removeRequestHeader("cookie");
  if (fetch.maxBodyBytes > 0) job.client().setMaxBodyBytes(fetch.maxBodyBytes);
  if (!fetch.authorization.empty()) job.client().setRequestHeader("authorization", fetch.authorization);
  if (!fetch.since.empty()) job.setCondition(fetch.since, fetch.entityTag);
  const bool transferred = job.fetchWithRetry(progress, location.path, file);
  fetch.notModified = job.notModified();
  fetch.lastModified = job.client().responseHeader("last-modified");
  fetch.answeredTag = job.client().responseHeader("etag");
  return transferred;
}

int readXmltvDocument(FileSystem& files, const std::string& path, const std::string& shownName,
                      XmltvHandler& handler, ProgressSink& progress, bool halved) {
  if (!isReadableXmltvSource(path)) {
    progress.reportError(job::kXmltvUnreadableForm + shownName);
    return -1;
  }
  const std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) {
    progress.reportError(job::kXmltvCannotOpen + shownName);
    return -1;
  }
  LimitedStream limited(*file, kMaxXmltvDocumentBytes);
  BufferedReader input(limited, kReadBlock);
  XmltvReader reader;
  std::unique_ptr<XmltvSecondHalf> second;
  if (halved) {
    second.reset(new XmltvSecondHalf(files, path, kMaxXmltvDocumentBytes));
    reader.joinAt(second->split());
  }
  bool read = reader.read(input, handler);
  if (reader.joined()) {
    const int handed = second->handOver(handler);
    if (handed >= 0) return handed;
    read = reader.resume();
  }
  if (read) return 1;
  if (reader.stoppedByHandler()) return 0;
  if (limited.overLimit()) progress.reportError(job::kXmltvTooLarge);
  else progress.reportError(reader.error());
  return -1;
}
