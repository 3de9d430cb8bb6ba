// GuideCache::importXmltv: an XMLTV document, from a file or over HTTP,
// turned into the table files of its slots through the guide page reader.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "net/buffered_reader.h"
#include "net/download_job.h"
#include "net/local_file.h"
#include "os/os.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "ui/progress_sink.h"
#include "xmltv/xmltv_guide.h"

namespace {

// XMLTVの文書が開けません:
const char kCannotOpen[] = "XMLTV\x82\xcc\x95\xb6\x8f\x91\x82\xaa\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1: ";
// XMLTVを読み込み中…
const char kReading[] = "XMLTV\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x92\x86\x81\x63";
// Where a fetched document waits in the cache until it is read.
const char kDownloadName[] = "xmltvsrc.xml";

class StringSource : public ByteSource {
 public:
  explicit StringSource(const std::string& bytes) : bytes_(bytes) {}
  int nextByte() override {
    return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1;
  }

 private:
  const std::string& bytes_;
  std::size_t position_ = 0;
};

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

std::string dayLabel(int day) {
  const CalendarDate date = dateFromDayNumber(day);
  char label[16];
  std::snprintf(label, sizeof label, "%02d/%02d", date.month, date.day);
  return label;
}

// Reads the document into `guide`; false with the message reported.
bool readDocument(const std::string& path, const std::string& shownName, XmltvGuide& guide,
                  ProgressSink& progress) {
  LocalFile file;
  if (!file.openForRead(path)) return progress.reportError(kCannotOpen + shownName);
  BufferedReader input(file);
  XmltvReader reader;
  if (reader.read(input, guide)) return true;
  if (!reader.stoppedByHandler()) progress.reportError(reader.error());
  return false;
}

}  // namespace

int GuideCache::importXmltv(const std::string& source, int firstDay, int lastDay, ProgressSink& progress) {
  const std::string directory = cacheDirectory();
  if (directory.empty()) return failForDirectory(progress);
  XmltvGuide guide(firstDay, lastDay, settings().xmltvChannels());
  HttpLocation location;
  if (parseHttpUrl(source, location)) {
    if (!progress.setFileTotal(1) || !progress.beginFile(source)) return -1;
    const std::string download = directory + kDownloadName;
    bool fetched;
    {  // the job closes the fetched file when it goes
      DownloadJob job(settings(), clock());
      job.client().setServer(location.host, location.port);
      // The guide service's session is not for another host.
      job.client().removeRequestHeader("cookie");
      fetched = job.fetchWithRetry(progress, location.path, download);
    }
    const bool read = fetched && readDocument(download, source, guide, progress);
    os::removeFile(download);
    if (!read) return -1;
  } else {
    progress.showStatus(kReading);
    if (!readDocument(source, source, guide, progress)) return -1;
  }
  const std::vector<int> days = guide.days();
  if (!progress.setFileTotal(static_cast<int>(days.size()))) return -1;
  int written = 0;
  ProgrammeTable table;
  for (int day : days) {
    if (!progress.beginFile(dayLabel(day))) return -1;
    const CalendarDate date = dateFromDayNumber(day);
    for (int hour : kSlotHours) {
      const std::string page = guide.slotPage(day, hour).eucJp();
      StringSource input(page);
      const int key = slotKey(date, hour);
      if (!readPage(input, table)) continue;  // cannot happen with a page of our own
      table.setTableKey(key);
      if (saveTableFile(key, table)) ++written;
    }
  }
  return written;
}
