// The crawl: the cache directory fixed for the run, the old days deleted,
// then the guide source's turn; and the guide service's source, which
// checks every slot of the coming broadcast days, then downloads, converts
// and stores the missing ones.
#include <cstdio>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "bytes/file_system.h"
#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/crawl_worker.h"
#include "guide/download_server_settings.h"
#include "guide/guide_cache.h"
#include "guide/guide_source.h"
#include "guide/slot_paths.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/download_job.h"
#include "os/cursor.h"
#include "os/os.h"
#include "programme/page_files.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

// The slots of days + 1 broadcast days whose table is neither stored nor
// convertible from a cached page. A cache folder made by this run holds
// neither: its slots are missing without a look.
std::vector<int> missingSlots(GuideCache& cache, const DateTime& now, int days, bool emptyCache,
                              ProgressSink& progress) {
  std::vector<int> queue;
  ProgrammeTable scratch;
  const int first = broadcastDayNumber(now);
  for (int d = 0; d <= days; ++d) {
    CalendarDate date = dateFromDayNumber(first + d);
    for (int hour : kSlotHours) {
      int key = slotKey(date, hour);
      progress.beginFile(slotLabel(key));
      if (emptyCache ||
          (!cache.loadTableFile(key, scratch) && !cache.parseCachedPage(key, scratch))) {
        queue.push_back(key);
      }
    }
  }
  return queue;
}

// Pages 2 .. pages of a personal table, added to `table`, which then
// becomes the slot's table file.
bool fetchLaterPages(GuideCache& cache, DownloadJob& job, int key, int pages, ProgrammeTable& table,
                     ProgressSink& progress) {
  const std::string pageFile = cache.pageFileName(key);
  for (int page = 2; page <= pages; ++page) {
    if (!progress.beginFile(slotLabel(key) + pageSuffix(page, pages))) return false;
    if (!job.fetchWithRetry(progress, personalPath(key, page), pageFile)) return false;
    ProgrammeTable more;
    // A later page that does not read is left out of the slot.
    if (cache.parseDownloadedPage(key, pageFile, more)) table.appendChannels(more);
  }
  cache.saveTableFile(key, table);
  return true;
}

// Reads a page on the worker as soon as its body is whole, while the job
// writes the page file. The table must outlive it: it waits for the reading.
class PageReadAhead : public PageBodyListener {
 public:
  PageReadAhead(CrawlWorker& worker, ProgrammeTable& table) : worker_(worker), table_(table) {}
  ~PageReadAhead() {
    if (read_.valid()) read_.wait();
  }

  void onPageBody(const std::string& body) override {
    auto result = std::make_shared<std::promise<bool>>();
    read_ = result->get_future();
    auto bytes = std::make_shared<StringByteSource>(body);
    ProgrammeTable* table = &table_;
    worker_.post([result, bytes, table] { result->set_value(readPage(*bytes, *table)); });
  }
  bool started() const { return read_.valid(); }
  // Whether the page read; only once started.
  bool wait() { return read_.get(); }

 private:
  CrawlWorker& worker_;
  ProgrammeTable& table_;
  std::future<bool> read_;
};

// Writes the slot's table file on the worker, then removes the page when
// asked to.
void postTableFile(CrawlWorker& worker, FileSystem& files, const std::string& tablePath,
                   std::shared_ptr<ProgrammeTable> table, const std::string& pageToRemove) {
  // The files are the cache's, which outlives the worker.
  worker.post([&files, tablePath, table, pageToRemove] {
    writeTableFile(files, tablePath, *table);
    if (!pageToRemove.empty()) files.remove(pageToRemove);
  });
}

// A slot of one page: the page is read while its file is written, the
// table file written while the next slot downloads.
bool fetchSinglePage(GuideCache& cache, DownloadJob& job, CrawlWorker& worker, int key,
                     const std::string& path, const std::string& label, ProgressSink& progress) {
  const std::string pageFile = cache.pageFileName(key);
  auto table = std::make_shared<ProgrammeTable>();
  PageReadAhead readAhead(worker, *table);
  job.setBodyListener(&readAhead);
  const bool fetched = job.fetchWithRetry(progress, path, pageFile);
  job.setBodyListener(nullptr);
  if (!fetched) return false;
  const bool read = readAhead.started()
                        ? cache.settleDownloadedPage(key, pageFile, readAhead.wait(), *table)
                        : cache.readDownloadedPage(key, pageFile, *table);
  // Without its page the slot has nothing: say which one, and why.
  if (!read) return progress.reportError(label + job::kNotATable);
  postTableFile(worker, cache.files(), cache.tableFileName(key), table,
                cache.settings().deleteHtml() ? pageFile : std::string());
  return true;
}

// Downloads the pages of one slot and stores its table file.
bool fetchSlot(GuideCache& cache, DownloadJob& job, CrawlWorker& worker, int key, int pages,
               ProgressSink& progress) {
  const std::string area = cache.settings().area();
  std::string label = slotLabel(key);
  if (pages > 0) label += pageSuffix(1, pages);
  if (!progress.beginFile(label)) return false;
  const std::string firstPath = pages > 0 ? personalPath(key, 1) : areaPath(key, area);
  if (pages <= 1) return fetchSinglePage(cache, job, worker, key, firstPath, label, progress);
  const std::string pageFile = cache.pageFileName(key);
  if (!job.fetchWithRetry(progress, firstPath, pageFile)) return false;
  ProgrammeTable table;
  // Without its first page the slot has nothing: say which one, and why.
  if (!cache.parseDownloadedPage(key, pageFile, table)) return progress.reportError(label + job::kNotATable);
  return fetchLaterPages(cache, job, key, pages, table, progress);
}

// Keeps the cache directory fixed for the duration of a crawl.
class PinnedDirectory {
 public:
  PinnedDirectory(GuideCache& cache, const std::string& directory) : cache_(cache) {
    cache_.pinDirectory(&directory);
  }
  ~PinnedDirectory() { cache_.pinDirectory(nullptr); }
  PinnedDirectory(const PinnedDirectory&) = delete;
  PinnedDirectory& operator=(const PinnedDirectory&) = delete;

 private:
  GuideCache& cache_;
};

// The guide service's crawl: the missing slots first, then the refresh, a
// step of its own.
class GuideService : public GuideSource {
 public:
  int fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) override {
    const int fetched = fetchMissingSlots(cache, request, progress);
    if (fetched < 0 || request.refreshHours <= 0) return fetched;
    const int replaced = cache.refreshNearSlots(request.now, request.refreshHours, progress);
    return replaced < 0 ? -1 : fetched + replaced;
  }

 private:
  // Checks the slots and downloads the missing ones.
  static int fetchMissingSlots(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) {
    progress.showStatus(job::kChecking);
    void* cursor = os::showWaitCursor();
    std::vector<int> queue = missingSlots(cache, request.now, request.days, request.emptyCache, progress);
    os::restoreCursor(cursor);
    if (queue.empty()) {
      progress.showStatus(job::kAllPresent);
      return 0;
    }
    SettingsStore& settings = cache.settings();
    const int pages = settings.personalTablePages();
    if (pages > 0 && settings.cookie().empty() && !cache.signIn(progress)) return -1;
    const int total = static_cast<int>(queue.size()) * (pages > 0 ? pages : 1);
    if (!progress.setFileTotal(total)) return -1;
    DownloadJob job(downloadServerOf(settings), cache.clock(), cache.files());
    job.setRetryPolicy(cache.retryPolicy());
    CrawlWorker worker;  // every table file is written before it goes
    for (int key : queue) {
      if (!fetchSlot(cache, job, worker, key, pages, progress)) return -1;
    }
    return static_cast<int>(queue.size());
  }
};

}  // namespace

GuideSource& guideService() {
  static GuideService service;
  return service;
}

int GuideCache::crawl(const DateTime& now, int days, ProgressSink& progress) {
  return crawl(guideService(), now, days, progress);
}

int GuideCache::crawl(const DateTime& now, int days, ProgressSink& progress, int refreshHours) {
  return crawl(guideService(), now, days, progress, refreshHours);
}

int GuideCache::crawl(GuideSource& source, const DateTime& now, int days, ProgressSink& progress) {
  return crawl(source, now, days, progress, settings().refreshHours());
}

int GuideCache::crawl(GuideSource& source, const DateTime& now, int days, ProgressSink& progress,
                      int refreshHours) {
  bool createdNow;
  const std::string directory = cacheDirectory(createdNow);
  if (directory.empty()) return failForDirectory(progress);
  // The folder is made (or found) once: every file of the run goes in it.
  PinnedDirectory pinned(*this, directory);
  removeLeftovers(directory);
  if (settings().autoDelete() && deleteOldPages(now, progress) < 0) return 0;
  return source.fill(*this, {now, days, refreshHours, createdNow}, progress);
}
