// Cache maintenance: listing the cache files and deleting all of them, the
// ones a sync no longer names, or those outside the eight-day keep window.
#include <cstdint>
#include <cstdlib>

#include "bytes/file_system.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/clock.h"
#include "programme/page_files.h"

namespace {

// Counts the name, announces it, then deletes it; false when cancelled (the
// name is counted but left in place).
bool deleteOne(FileSystem& files, const std::string& directory, const std::string& name, int& count,
               ProgressSink& progress) {
  ++count;
  if (!progress.beginFile(name)) return false;
  files.remove(directory + name);
  return true;
}

// Files a run writes and moves into place (or deletes) within seconds: one
// older than this was left by a run that was killed.
constexpr std::int64_t kLeftoverSeconds = 10 * 60;

}  // namespace

int GuideCache::removeLeftovers(const std::string& directory) const {
  int removed = 0;
  const std::int64_t now = clock().nowSeconds();
  for (const std::string& pattern : {std::string("??????tb.") + kWritingExtension, std::string("??????tb.tnw"),
                                     std::string("??????tb.prt"), std::string("??????tb.new"),
                                     std::string("??????tb.") + kExtrasFileExtension + ".new"}) {
    for (const std::string& name : files().find(directory + pattern)) {
      const std::int64_t modified = files().modifiedTime(directory + name);
      if (modified >= 0 && now - modified > kLeftoverSeconds && files().remove(directory + name)) ++removed;
    }
  }
  return removed;
}

CacheFileList GuideCache::listCacheFiles() const {
  CacheFileList names;
  // Without a cache directory the pattern would search the current one.
  std::string directory = cacheDirectory();
  if (directory.empty()) return names;
  // The search pattern also matches names the program never wrote.
  for (const std::string& name : files().find(directory + kCacheFileSearchPattern)) {
    if (isCacheFileName(name)) names.insert(name);
  }
  return names;
}

int GuideCache::deleteFiles(const CacheFileList& names, ProgressSink& progress) {
  progress.showStatus(job::kDeleting);
  std::string directory = cacheDirectory();
  int count = 0;
  if (directory.empty()) return count;
  for (const std::string& name : names) {
    if (!deleteOne(files(), directory, name, count, progress)) break;
  }
  return count;
}

int GuideCache::deleteAllPages(ProgressSink& progress) {
  progress.showStatus(job::kSearching);
  CacheFileList names = listCacheFiles();
  if (names.empty()) return 0;
  return deleteFiles(names, progress);
}

int GuideCache::deleteOldPages(const DateTime& now, ProgressSink& progress) {
  progress.showStatus(job::kSearching);
  int first = broadcastDayNumber(now);
  int keep[8];
  for (int i = 0; i < 8; ++i) {
    CalendarDate date = dateFromDayNumber(first - 1 + i);
    keep[i] = date.month * 100 + date.day;
  }
  if (!progress.showStatus(job::kDeleting)) return -1;
  CacheFileList names = listCacheFiles();
  if (names.empty()) return 0;
  std::string directory = cacheDirectory();
  int count = 0;
  for (const std::string& name : names) {
    int monthDay = std::atoi(name.c_str()) / 100;
    bool current = false;
    for (int value : keep) current = current || value == monthDay;
    if (!current && !deleteOne(files(), directory, name, count, progress)) break;
  }
  return count;
}
