// GuideApplication: the class of the program's one application object.
// Its destruction at process exit writes the settings file.
#pragma once

#include "app/application.h"

class GuideApplication : public Application {
 public:
  GuideApplication() = default;
  ~GuideApplication() override;
  int run() override;
  void adjustWindowClass(WNDCLASSA& wc, CREATESTRUCTA& cs) override;
};
