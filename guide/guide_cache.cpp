#include "guide/guide_cache.h"

#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "net/clock.h"
#include "net/paths.h"
#include "os/os.h"

GuideCache& guideCache(SettingsStore& settings) {
  static GuideCache cache;
  cache.setSettings(settings);
  return cache;
}

Clock& GuideCache::clock() const { return clock_ ? *clock_ : systemClock(); }

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

std::string GuideCache::cacheDirectory(bool& createdNow) const {
  createdNow = false;
  if (tPinned.cache == this) return *tPinned.directory;
  std::string directory = settings().directory();
  createdNow = createsDirectory_ && os::createDirectory(directory);
  return isDirectory(directory) ? withTrailingSeparator(directory) : std::string();
}

std::string GuideCache::slotFileName(int slotKey, const char* extension) const {
  char name[32];
  std::snprintf(name, sizeof name, "%06dtb.%.3s", slotKey, extension);
  return cacheDirectory() + name;
}

std::string GuideCache::pageFileName(int slotKey) const { return slotFileName(slotKey, "htm"); }

std::string GuideCache::tableFileName(int slotKey) const { return slotFileName(slotKey, "tmp"); }
