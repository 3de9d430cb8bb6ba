// WindowContext: what the window code is handed by the program that builds
// it: the settings, the window's guide cache, the watch list's follower,
// the module and the interface font. The program owns them all and
// outlives every window; the window code keeps references only.
#pragma once

#include <windows.h>

#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "watch/watch_settings_follower.h"

struct WindowContext {
  SettingsStore& settings;
  GuideCache& guide;
  WatchSettingsFollower& watchFollower;
  HINSTANCE module;
  // The executable's own path (its icon) and folder (the companion tool).
  std::string modulePath;
  std::string moduleDirectory;
  HFONT font;

  // Before each use of the watch list: takes over what the command line
  // changed of it in the settings file since the last look.
  void followWatchSettings() const { watchFollower.follow(settings); }
};
