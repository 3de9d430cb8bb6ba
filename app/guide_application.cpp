// Start-up of the program: single instance, settings, font, main window.
#include "app/guide_application.h"

#include "guide/guide_cache.h"
#include "listing/xmltv_file.h"
#include "ui/main_window.h"
#include "ui/model/resource_ids.h"

namespace {
const char kProductName[] = "Rokuban";
const char kSettingsFileName[] = "Rokuban.ini";
const char kFontFace[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";  // "ＭＳ Ｐゴシック"

HFONT createInterfaceFont() {
  LOGFONTA font = {};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
  lstrcpynA(font.lfFaceName, kFontFace, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}
}  // namespace

GuideApplication::~GuideApplication() {
  // A second instance never loaded the store: it has no path and writes nothing.
  settings_.save();
}

int GuideApplication::run() {
  HWND running = FindWindowA(kProductName, kProductName);
  if (running != nullptr) {
    SetForegroundWindow(running);
    return 0;
  }
  // A missing or unreadable file leaves every setting at its default.
  settings_.load(moduleDirectory_ + kSettingsFileName);
  // The kept XMLTV file starts current; nowhere to tell of a failure yet.
  refreshXmltvFile(guide_, currentDateTime());
  font_ = createInterfaceFont();
  // Lives until the loop ends, after its window.
  MainWindow window(WindowContext{settings_, guide_, watchFollower_, module_, modulePath_, moduleDirectory_, font_});
  if (!createMainWindow(kProductName, kProductName, MainWindow::procedure, &window)) return 0;
  return runMessageLoop();
}

void GuideApplication::adjustWindowClass(WNDCLASSA& wc, CREATESTRUCTA&) {
  wc.hIcon = LoadIconA(module_, MAKEINTRESOURCEA(IDI_ROKUBAN));
}
