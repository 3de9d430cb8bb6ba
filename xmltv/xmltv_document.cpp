#include "xmltv/xmltv_document.h"

#include <cstdlib>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/buffered_reader.h"
#include "net/download_job.h"
#include "net/local_file.h"
#include "xmltv/xmltv_reader.h"

namespace {

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

}  // namespace

bool isXmltvUrl(const std::string& source) {
  HttpLocation location;
  return parseHttpUrl(source, location);
}

bool fetchXmltvDocument(GuideCache& cache, const std::string& source, const std::string& file,
                        const RetryPolicy& policy, ProgressSink& progress, XmltvFetch& fetch) {
  HttpLocation location;
  if (!parseHttpUrl(source, location)) return false;
  // The job closes the fetched file when it goes.
  DownloadJob job(cache.settings(), cache.clock());
  job.setRetryPolicy(policy);
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

int readXmltvDocument(const std::string& path, const std::string& shownName, XmltvHandler& handler,
                      ProgressSink& progress) {
  LocalFile file;
  if (!file.openForRead(path)) {
    progress.reportError(job::kXmltvCannotOpen + shownName);
    return -1;
  }
  BufferedReader input(file);
  XmltvReader reader;
  if (reader.read(input, handler)) return 1;
  if (reader.stoppedByHandler()) return 0;
  progress.reportError(reader.error());
  return -1;
}
