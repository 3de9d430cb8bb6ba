#include "guide/guide_cache.h"

#include <cstdio>

#include "config/settings_store.h"
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
  bool createdNow;
  return cacheDirectory(createdNow);
}

std::string GuideCache::cacheDirectory(bool& createdNow) const {
  createdNow = false;
  if (!pinnedDirectory_.empty()) return pinnedDirectory_;
  std::string directory = settings().directory();
  createdNow = os::createDirectory(directory);
  return isDirectory(directory) ? withTrailingSeparator(directory) : std::string();
}

namespace {
std::string slotFileName(const std::string& directory, const char* pattern, int slotKey) {
  char name[32];
  std::snprintf(name, sizeof name, pattern, slotKey);
  return directory + name;
}
}  // namespace

std::string GuideCache::pageFileName(int slotKey) const {
  return slotFileName(cacheDirectory(), "%06dtb.htm", slotKey);
}

std::string GuideCache::tableFileName(int slotKey) const {
  return slotFileName(cacheDirectory(), "%06dtb.tmp", slotKey);
}
