// Application: the root of the program. One instance per process, a static
// object; the entry function reaches it through `Application::instance()`.
// It records the module, loads the settings beside the executable, creates
// the font and the main window and runs the message loop.
#pragma once

#include <windows.h>

#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "watch/watch_settings_follower.h"

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application();
  // The whole life of the program after `init`; the process exit code.
  virtual int run() = 0;
  // Lets a derived class change the main window's class or creation record
  // before the class is registered.
  virtual void adjustWindowClass(WNDCLASSA& wc, CREATESTRUCTA& cs);

  static Application& instance() { return *instance_; }

  // Only `module` is used: the program takes nothing from its command line.
  void init(HINSTANCE module, HINSTANCE previous, char* commandLine, int showCommand);
  bool createMainWindow(const char* className, const char* title, WNDPROC procedure);
  int runMessageLoop();

  HINSTANCE moduleHandle() const { return module_; }
  HWND mainWindow() const { return mainWindow_; }
  const std::string& modulePath() const { return modulePath_; }
  const std::string& moduleDirectory() const { return moduleDirectory_; }
  SettingsStore& settings() { return settings_; }
  // The window's own cache, of its settings.
  GuideCache& guide() { return guide_; }
  // Before each use of the watch list: takes over what the command line
  // changed of it in the settings file since the last look.
  void followWatchSettings() { watchFollower_.follow(settings_); }
  HFONT font() const { return font_; }

 protected:
  HINSTANCE module_;
  const char* mainClassName_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::string modulePath_;
  std::string moduleDirectory_;
  SettingsStore settings_;
  GuideCache guide_{settings_};
  WatchSettingsFollower watchFollower_;
  HFONT font_ = nullptr;

 private:
  static Application* instance_;
};
