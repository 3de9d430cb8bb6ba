// The entry point and the program's one application object.
#include <windows.h>

#include "app/guide_application.h"

namespace {
// Constructed before WinMain and destroyed at process exit, after the
// message loop has ended; its destruction writes the settings file.
GuideApplication theApplication;
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  theApplication.init(instance, previous, commandLine, showCommand);
  return theApplication.run();
}
