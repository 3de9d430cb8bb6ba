// The refresh of the near slots: today's and tomorrow's tables are fetched
// again, conditionally, once they are older than the asked number of hours,
// so that late schedule changes reach the window. A page that reads worse
// than the table it would replace never costs the user that table.
//
// Files beside a slot's table "%06dtb.tmp" (all match the cache pattern, so
// the old-day clean-up and the sync's clean-up take them with the slot):
//   "%06dtb.etg"  the entity tag of the last accepted answer
//   "%06dtb.new"  the re-fetched page while it is checked
//   "%06dtb.nxt"  a later page of a personal table while it is read
//   "%06dtb.tnw"  the new table file until it replaces the old one
//   "%06dtb.bad"  a re-fetched page that was refused, kept for inspection
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bytes/buffered_reader.h"
#include "bytes/file_system.h"
#include "config/settings_store.h"
#include "guide/download_server_settings.h"
#include "guide/guide_cache.h"
#include "guide/http_date.h"
#include "guide/slot_paths.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/clock.h"
#include "net/download_job.h"
#include "programme/programme_diff.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

const int kSecondsPerHour = 3600;
const int kMaxTagBytes = 1024;

struct RefreshReport {
  int checked = 0, unchanged = 0, changed = 0, refused = 0;
  int added = 0, removed = 0, moved = 0;
};

JobMessage reportText(const RefreshReport& report) {
  char text[160];
  std::snprintf(text, sizeof text, job::kRefreshReport.japanese, report.checked, report.unchanged, report.changed,
                report.added, report.removed, report.moved);
  // The layout's change, when there is one, is the news of the line.
  if (report.refused > 0) return std::string(text) + " " + job::kLayoutChanged;
  return JobMessage(job::kRefreshReport, text);
}

// The slots of today's and tomorrow's broadcast days whose table file is
// older than `hours` hours. Missing tables are the crawl's business.
std::vector<int> staleSlots(GuideCache& cache, const DateTime& now, int hours) {
  std::vector<int> slots;
  const std::int64_t limit = cache.clock().nowSeconds() - std::int64_t(hours) * kSecondsPerHour;
  const int today = broadcastDayNumber(now);
  for (int day = today; day <= today + 1; ++day) {
    for (int hour : kSlotHours) {
      const int key = slotKey(dateFromDayNumber(day), hour);
      const std::int64_t stamp = cache.files().modifiedTime(cache.tableFileName(key));
      if (stamp >= 0 && stamp < limit) slots.push_back(key);
    }
  }
  return slots;
}

std::string readSmallFile(FileSystem& files, const std::string& path) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return std::string();
  char bytes[kMaxTagBytes];
  int length = file->read(bytes, sizeof bytes);
  return length > 0 ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
}

bool writeSmallFile(FileSystem& files, const std::string& path, const std::string& content) {
  std::unique_ptr<Stream> file = files.createForWrite(path);
  if (!file) return false;
  const int length = static_cast<int>(content.size());
  bool written = file->write(content.data(), length) == length;
  return file->close() && written;
}

bool readPageFile(FileSystem& files, const std::string& path, int key, ProgrammeTable& table) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return false;
  BufferedReader reader(*file);
  if (!readPage(reader, table)) return false;
  table.setTableKey(key);
  return true;
}

// One slot's refresh. False only on a failed transfer or a cancel: a page
// that is refused leaves the old table and lets the refresh go on.
class SlotRefresh {
 public:
  SlotRefresh(GuideCache& cache, DownloadJob& job, int pages, ProgressSink& progress,
              RefreshReport& report)
      : cache_(cache), job_(job), pages_(pages), progress_(progress), report_(report) {}

  bool run(int key) {
    key_ = key;
    label_ = slotLabel(key);
    if (!progress_.beginFile(pages_ > 0 ? label_ + pageSuffix(1, pages_) : label_)) return false;
    const std::string table = cache_.tableFileName(key);
    job_.setCondition(httpDate(cache_.files().modifiedTime(table)),
                      readSmallFile(cache_.files(), cache_.slotFileName(key, "etg")));
    const std::string page = cache_.slotFileName(key, "new");
    const std::string path =
        pages_ > 0 ? personalPath(key, 1) : areaPath(key, cache_.settings().area());
    if (!job_.fetchWithRetry(progress_, path, page)) return false;
    ++report_.checked;
    if (job_.notModified()) return keepAsUnchanged();
    const std::string entityTag = job_.client().responseHeader("etag");
    ProgrammeTable fresh;
    const bool read = readPageFile(cache_.files(), page, key, fresh);
    if (read && !readLaterPages(fresh)) return false;
    ProgrammeTable old;
    cache_.loadTableFile(key, old);  // an unreadable old table is replaced by any good page
    if (!read || !keepsCompleteness(old, fresh)) return refuse(page);
    if (!replaceTable(old, fresh)) return false;
    if (entityTag.empty()) {
      cache_.files().remove(cache_.slotFileName(key, "etg"));
    } else {
      writeSmallFile(cache_.files(), cache_.slotFileName(key, "etg"), entityTag);
    }
    if (cache_.settings().deleteHtml() || !cache_.files().replace(page, cache_.pageFileName(key))) {
      cache_.files().remove(page);
    }
    return true;
  }

 private:
  // The later pages of a personal table come unconditionally: the first one
  // changed, so the slot is read anew.
  bool readLaterPages(ProgrammeTable& fresh) {
    job_.setCondition(std::string(), std::string());
    const std::string later = cache_.slotFileName(key_, "nxt");
    for (int page = 2; page <= pages_; ++page) {
      if (!progress_.beginFile(label_ + pageSuffix(page, pages_))) return false;
      if (!job_.fetchWithRetry(progress_, personalPath(key_, page), later)) return false;
      ProgrammeTable more;
      if (readPageFile(cache_.files(), later, key_, more)) fresh.appendChannels(more);
    }
    cache_.files().remove(later);
    return true;
  }

  bool keepAsUnchanged() {
    ++report_.unchanged;
    cache_.files().setModifiedTime(cache_.tableFileName(key_), cache_.clock().nowSeconds());
    return true;
  }

  bool refuse(const std::string& page) {
    ++report_.refused;
    if (!cache_.files().replace(page, cache_.slotFileName(key_, "bad"))) cache_.files().remove(page);
    progress_.reportError(label_ + job::kLayoutChanged);
    return true;
  }

  bool replaceTable(const ProgrammeTable& old, const ProgrammeTable& fresh) {
    const GuideCache::Replacement outcome = cache_.replaceTableFile(key_, fresh, progress_);
    if (outcome == GuideCache::Replacement::Failed) return false;
    if (outcome == GuideCache::Replacement::Unchanged) return keepAsUnchanged();
    ++report_.changed;
    ProgrammeDiff diff = diffProgrammes(old, fresh);
    report_.added += static_cast<int>(diff.added.size());
    report_.removed += static_cast<int>(diff.removed.size());
    report_.moved += static_cast<int>(diff.moved.size());
    return true;
  }

  GuideCache& cache_;
  DownloadJob& job_;
  const int pages_;
  ProgressSink& progress_;
  RefreshReport& report_;
  int key_ = 0;
  std::string label_;
};

}  // namespace

int GuideCache::refreshNearSlots(const DateTime& now, int hours, ProgressSink& progress) {
  if (cacheDirectory().empty()) return -1;
  RefreshReport report;
  const std::vector<int> slots = staleSlots(*this, now, hours);
  if (!slots.empty()) {
    const int pages = settings().personalTablePages();
    if (pages > 0 && settings().cookie().empty() && !signIn(progress)) return -1;
    if (!progress.setFileTotal(static_cast<int>(slots.size()) * (pages > 0 ? pages : 1))) return -1;
    int failed = 0;  // the slot whose refresh broke off
    {
      DownloadJob job(downloadServerOf(settings()), clock(), files());
      job.setRetryPolicy(retryPolicy());
      SlotRefresh refresh(*this, job, pages, progress, report);
      for (int key : slots) {
        if (!refresh.run(key)) {
          failed = key;
          break;
        }
      }
    }  // the job closes what a cancelled transfer left open
    if (failed != 0) {
      files().remove(slotFileName(failed, "new"));
      files().remove(slotFileName(failed, "nxt"));
      return -1;
    }
  }
  progress.showStatus(reportText(report));
  return report.changed;
}
