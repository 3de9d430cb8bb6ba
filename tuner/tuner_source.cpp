// TunerSource: both answers fetched into the cache folder, read into the
// import's guide, and written as its slots.
#include "tuner/tuner_source.h"

#include "bytes/buffered_reader.h"
#include "bytes/local_file.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/basic_credentials.h"
#include "net/http_url.h"
#include "os/os.h"
#include "tuner/tuner_guide_reader.h"
#include "xmltv/xmltv_document.h"
#include "xmltv/xmltv_guide.h"
#include "xmltv/xmltv_import.h"
#include "xmltv/xmltv_source.h"

namespace {

// Where the answers wait in the cache until they are read.
const char kServicesName[] = "tunersvc.json";
const char kProgrammesName[] = "tunerprg.json";

// The URL of an API path under the base, without the base's user and
// password (they go as the authorization); empty when the base is no URL.
std::string apiUrl(const HttpUrl& base, const char* path) {
  std::string prefix = base.path;
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  return "http://" + base.host + ":" + std::to_string(base.port) + prefix + path;
}

// Fetches `url` into `file` and reads it with `read`: 1, 0 (stopped) or -1.
template <typename Read>
int fetchAndRead(GuideCache& cache, const std::string& url, const std::string& authorization, const std::string& file,
                 ProgressSink& progress, TunerGuideReader& reader, Read read) {
  if (!progress.beginFile(url)) return -1;
  XmltvFetch fetch;
  fetch.maxBodyBytes = static_cast<int>(kTunerMaxAnswerBytes);
  fetch.authorization = authorization;
  if (!fetchXmltvDocument(cache, url, file, cache.retryPolicy(), progress, fetch)) {
    os::removeFile(file);
    return -1;
  }
  LocalFile opened;
  if (!opened.openForRead(file)) {
    progress.reportError(job::kTunerCannotOpen + url);
    return -1;
  }
  BufferedReader input(opened);
  const int result = (reader.*read)(input);
  opened.close();
  os::removeFile(file);
  if (result < 0) progress.reportError(reader.error() + " (" + url + ")");
  return result;
}

}  // namespace

int importTunerServer(GuideCache& cache, const std::string& baseUrl, int firstDay, int lastDay,
                      ProgressSink& progress) {
  const std::string directory = cache.cacheDirectory();
  if (directory.empty()) return cache.failForDirectory(progress);
  HttpUrl base;
  if (!parseHttpUrl(baseUrl, base)) {
    progress.reportError(job::kTunerCannotOpen + HttpUrl::hidingPassword(baseUrl));
    return -1;
  }
  const std::string services = apiUrl(base, "/api/services"), programmes = apiUrl(base, "/api/programs");
  const std::string authorization = base.user.empty() ? std::string() : basicCredentials(base.user, base.password);
  XmltvGuide guide(firstDay, lastDay, cache.settings().xmltvChannels());
  TunerGuideReader reader(guide, progress);
  if (!progress.setFileTotal(2)) return -1;
  if (fetchAndRead(cache, services, authorization, directory + kServicesName, progress, reader,
                   &TunerGuideReader::readServices) != 1 ||
      fetchAndRead(cache, programmes, authorization, directory + kProgrammesName, progress, reader,
                   &TunerGuideReader::readProgrammes) != 1) {
    return -1;
  }
  for (const std::string& note : {guide.channelLimitNote(), guide.undeclaredProgrammeNote()}) {
    if (!note.empty() && !progress.showStatus(note)) return -1;
  }
  return writeGuideSlots(cache, guide, guide.days(), false, progress);
}

int TunerSource::fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) {
  const int first = broadcastDayNumber(request.now);
  return importTunerServer(cache, cache.settings().tunerServer(), first, first + request.days, progress);
}

GuideSource& crawlSourceFor(const SettingsStore& settings) {
  static TunerSource tuner;
  if (settings.tunerServer().empty()) return guideSourceFor(settings);
  return tuner;
}
