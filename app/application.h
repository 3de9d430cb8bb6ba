// Application: the root of the program. One instance per process, a static
// object of the entry function's file. It records the module, owns the
// settings, the window's guide cache and the watch list's follower, creates
// the font and the main window and runs the message loop; the window code
// is handed what it needs of these (ui/window_context.h).
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

  // Only `module` is used: the program takes nothing from its command line.
  void init(HINSTANCE module, HINSTANCE previous, char* commandLine, int showCommand);
  // `creation` reaches the procedure as CREATESTRUCTA::lpCreateParams.
  bool createMainWindow(const char* className, const char* title, WNDPROC procedure,
                        void* creation = nullptr);
  int runMessageLoop();

  HINSTANCE moduleHandle() const { return module_; }
  HWND mainWindow() const { return mainWindow_; }
  const std::string& modulePath() const { return modulePath_; }
  const std::string& moduleDirectory() const { return moduleDirectory_; }

 protected:
  HINSTANCE module_;
  const char* mainClassName_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::string modulePath_;
  std::string moduleDirectory_;
  SettingsStore settings_;
  // The window's own cache, of its settings.
  GuideCache guide_{settings_};
  WatchSettingsFollower watchFollower_;
  HFONT font_ = nullptr;
};
