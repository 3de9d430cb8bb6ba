// The crawl: check every slot of the coming broadcast days, then download,
// convert and store the missing ones.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "guide/slot_paths.h"
#include "guide/table_write_queue.h"
#include "net/download_job.h"
#include "os/cursor.h"
#include "programme/programme_table.h"
#include "ui/progress_sink.h"

namespace {

const char kChecking[] = "\x8a\x6d\x94\x46\x92\x86\x81\x63";  // 確認中…
const char kAllPresent[] = "\x8a\x6d\x94\x46OK!!";             // 確認OK!!
// は番組表ではありません。
const char kNotATable[] =
    "\x82\xcd\x94\xd4\x91\x67\x95\x5c\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";

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

// Downloads the pages of one slot and stores its table file.
bool fetchSlot(GuideCache& cache, DownloadJob& job, TableWriteQueue& writes, int key, int pages,
               ProgressSink& progress) {
  const std::string area = cache.settings().area();
  std::string label = slotLabel(key);
  if (pages > 0) label += pageSuffix(1, pages);
  if (!progress.beginFile(label)) return false;
  const std::string pageFile = cache.pageFileName(key);
  if (!job.fetchWithRetry(progress, pages > 0 ? personalPath(key, 1) : areaPath(key, area),
                          pageFile)) {
    return false;
  }
  auto table = std::make_unique<ProgrammeTable>();
  if (pages > 1) {
    // Without its first page the slot has nothing: say which one, and why.
    if (!cache.parseDownloadedPage(key, pageFile, *table)) return progress.reportError(label + kNotATable);
    return fetchLaterPages(cache, job, key, pages, *table, progress);
  }
  if (!cache.readDownloadedPage(key, pageFile, *table)) return progress.reportError(label + kNotATable);
  // A page of its own slot: the table file is written while the next slot
  // downloads.
  writes.post(cache.tableFileName(key), std::move(table),
              cache.settings().deleteHtml() ? pageFile : std::string());
  return true;
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

}  // namespace

int GuideCache::crawl(const DateTime& now, int days, ProgressSink& progress) {
  return crawl(now, days, progress, settings().refreshHours());
}

int GuideCache::crawl(const DateTime& now, int days, ProgressSink& progress, int refreshHours) {
  const int fetched = fetchMissingSlots(now, days, progress);
  // The refresh is a step of its own, after the missing slots came in.
  if (fetched < 0 || refreshHours <= 0) return fetched;
  const int replaced = refreshNearSlots(now, refreshHours, progress);
  return replaced < 0 ? -1 : fetched + replaced;
}

int GuideCache::fetchMissingSlots(const DateTime& now, int days, ProgressSink& progress) {
  bool createdNow;
  const std::string directory = cacheDirectory(createdNow);
  if (directory.empty()) return failForDirectory(progress);
  // The folder is made (or found) once: every file of the run goes in it.
  PinnedDirectory pinned(*this, directory);
  if (settings().autoDelete() && deleteOldPages(now, progress) < 0) return 0;
  // An XMLTV document, when one is set, stands in for the guide service.
  if (!settings().xmltvSource().empty()) {
    return importXmltv(settings().xmltvSource(), broadcastDayNumber(now), broadcastDayNumber(now) + days,
                       progress);
  }
  progress.showStatus(kChecking);
  void* cursor = os::showWaitCursor();
  std::vector<int> queue = missingSlots(*this, now, days, createdNow, progress);
  os::restoreCursor(cursor);
  if (queue.empty()) {
    progress.showStatus(kAllPresent);
    return 0;
  }
  const int pages = settings().personalTablePages();
  if (pages > 0 && settings().cookie().empty() && !signIn(progress)) return -1;
  const int total = static_cast<int>(queue.size()) * (pages > 0 ? pages : 1);
  if (!progress.setFileTotal(total)) return -1;
  DownloadJob job(settings(), clock());
  job.setRetryPolicy(retryPolicy());
  TableWriteQueue writes;  // every table file is written when it goes
  for (int key : queue) {
    if (!fetchSlot(*this, job, writes, key, pages, progress)) return -1;
  }
  return static_cast<int>(queue.size());
}
