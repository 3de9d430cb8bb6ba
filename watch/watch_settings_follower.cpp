// Following the settings file's watch sections.
#include "watch/watch_settings_follower.h"

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "os/os.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_list.h"
#include "watch/watch_memory.h"

bool WatchSettingsFollower::follow(SettingsStore& settings) {
  FileStamp now;
  now.modified = os::fileModifiedTime(settings.path());
  now.size = os::fileSize(settings.path());
  if (looked_ && now == lastLook_) return false;
  const std::vector<std::string> sections = {kWatchSection,   kAnnouncedSection, kReservedSection,
                                             kSeenSection,    kChangesSection,   kFailedSection};
  if (!settings.takeOverSections(sections)) return false;
  looked_ = true;
  lastLook_ = now;
  return true;
}
