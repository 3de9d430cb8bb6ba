#include "guide/guide_cache.h"

#include "bytes/file_system.h"
#include "bytes/paths.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/clock.h"
#include "net/failure_text.h"
#include "os/os.h"

Clock& GuideCache::clock() const { return clock_ ? *clock_ : systemClock(); }

FileSystem& GuideCache::files() const { return files_ ? *files_ : localFileSystem(); }

DateTime GuideCache::now() const { return japanDateTimeOf(clock().nowSeconds()); }

namespace {
// The directory a crawl pinned, for its own thread only.
struct DirectoryPin {
  const GuideCache* cache;
  const std::string* directory;
};
thread_local DirectoryPin tPinned = {nullptr, nullptr};
}  // namespace

void GuideCache::pinDirectory(const std::string* directory) const {
  tPinned = {directory ? this : nullptr, directory};
}

std::string GuideCache::cacheDirectory() const {
  bool createdNow;
  return cacheDirectory(createdNow);
}

std::string GuideCache::directorySetting() const {
  const std::string directory = settings().directory();
  const bool absolute = !directory.empty() &&
                        (directory[0] == '/' || directory[0] == '\\' || (directory.size() > 1 && directory[1] == ':'));
  if (absolute || directory.empty() || settings().path().empty()) return directory;
  // Relative to the settings file, so that a scheduled crawl and a command
  // typed in another folder find the same cache.
  return directoryOf(settings().path()) + directory;
}

std::string GuideCache::cacheDirectory(bool& createdNow) const {
  createdNow = false;
  if (tPinned.cache == this) return *tPinned.directory;
  std::string directory = directorySetting();
  // A first run on Linux finds ~/.config/rokuban missing as well.
  createdNow = createsDirectory_ && createDirectoryWithParents(files(), directory);
  return files().isDirectory(directory) ? withTrailingSeparator(directory) : std::string();
}

int GuideCache::failForDirectory(ProgressSink& progress) const {
  const std::string directory = directorySetting();
  if (directory.empty()) {
    progress.describeFailure("no cache folder is set (directory)");
  } else if (createsDirectory_) {
    // Asking again brings back the system's reason for the first refusal.
    createDirectoryWithParents(files(), directory);
    progress.describeFailure(fileFailureText("cannot create folder", directory));
  } else {
    progress.describeFailure("no folder " + directory);
  }
  progress.reportError(job::kNoCacheFolder);
  return -1;
}

std::string GuideCache::slotFileName(int slotKey, const char* extension) const {
  char name[32];
  std::snprintf(name, sizeof name, "%06dtb.%.3s", slotKey, extension);
  return cacheDirectory() + name;
}

std::string GuideCache::pageFileName(int slotKey) const { return slotFileName(slotKey, "htm"); }

std::string GuideCache::tableFileName(int slotKey) const { return slotFileName(slotKey, "tmp"); }
