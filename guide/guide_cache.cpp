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

std::string GuideCache::cacheDirectory() const {
  std::string directory = settings().directory();
  if (createsDirectory_) os::createDirectory(directory);
  return isDirectory(directory) ? withTrailingSeparator(directory) : std::string();
}

std::string GuideCache::slotFileName(int slotKey, const char* extension) const {
  char name[32];
  std::snprintf(name, sizeof name, "%06dtb.%.3s", slotKey, extension);
  return cacheDirectory() + name;
}

std::string GuideCache::pageFileName(int slotKey) const { return slotFileName(slotKey, "htm"); }

std::string GuideCache::tableFileName(int slotKey) const { return slotFileName(slotKey, "tmp"); }
